// soundgen: writes the two feedback sounds, Correct.wav (a rising two-note chime) and
// Try.wav (a soft, low, falling tone), as 16-bit mono PCM at 22050 Hz. Everything is
// synthesised here, so the sounds are the project's own and can be made again exactly.
//   usage: soundgen OUTDIR (--help for the options)
#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTextStream>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A struck bell-like note: quick attack, exponential decay, a little of two overtones.
void addNote(std::vector<double> &out, double start, double length, double freq, double level)
{
    const int first = int(start * kRate);
    const int count = int(length * kRate);
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double t = double(i) / kRate;
        // A raised-cosine attack: a straight ramp would click.
        const double attack = t < 0.008 ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / 0.008) : 1.0;
        const double envelope = attack * std::exp(-t / 0.11);
        const double wave = std::sin(kTwoPi * freq * t) + 0.25 * std::sin(kTwoPi * 2 * freq * t) +
                            0.08 * std::sin(kTwoPi * 3 * freq * t);
        out[std::size_t(first + i)] += level * envelope * wave;
    }
}

// Linear fades at both ends, so that no click starts or ends a sound.
void fadeEnds(std::vector<double> &s, double in, double out)
{
    const int nIn = int(in * kRate);
    const int nOut = int(out * kRate);
    const int size = int(s.size());
    for (int i = 0; i < nIn && i < size; ++i)
        s[std::size_t(i)] *= double(i) / nIn;
    for (int i = 0; i < nOut && i < size; ++i)
        s[std::size_t(size - 1 - i)] *= double(i) / nOut;
}

std::vector<double> correctChime()
{
    std::vector<double> s(std::size_t(0.42 * kRate), 0.0);
    addNote(s, 0.0, 0.42, 784.0, 0.42);   // G5
    addNote(s, 0.11, 0.31, 1046.5, 0.42); // C6, a fourth above
    fadeEnds(s, 0.003, 0.04);
    return s;
}

std::vector<double> tryTone()
{
    const double length = 0.38;
    std::vector<double> s(std::size_t(length * kRate), 0.0);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double freq = 330.0 * std::pow(220.0 / 330.0, t / length); // E4 falling to A3
        phase += kTwoPi * freq / kRate;
        const double envelope = std::exp(-t / 0.35);
        s[i] = 0.45 * envelope * (std::sin(phase) + 0.15 * std::sin(2 * phase));
    }
    fadeEnds(s, 0.02, 0.08);
    return s;
}

QByteArray wav(const std::vector<double> &samples)
{
    const auto u32 = [](QByteArray &b, quint32 v) {
        v = qToLittleEndian(v);
        b.append(reinterpret_cast<const char *>(&v), 4);
    };
    const auto u16 = [](QByteArray &b, quint16 v) {
        v = qToLittleEndian(v);
        b.append(reinterpret_cast<const char *>(&v), 2);
    };
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    u32(b, 36 + dataBytes);
    b.append("WAVEfmt ");
    u32(b, 16);
    u16(b, 1); // PCM
    u16(b, 1); // mono
    u32(b, kRate);
    u32(b, kRate * 2);
    u16(b, 2);
    u16(b, 16);
    b.append("data");
    u32(b, dataBytes);
    for (const double x : samples)
        u16(b, quint16(qint16(std::lround(std::clamp(x, -1.0, 1.0) * 32767.0))));
    return b;
}

bool save(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    QTextStream(stderr) << "soundgen: " << path << ": " << file.errorString() << "\n";
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(EXAMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the study program's feedback sounds, Correct.wav and Try.wav (16-bit mono PCM, 22050 Hz)."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("The folder to write them into."));
    const auto usage = [](const QString &problem) {
        QTextStream(stderr) << "soundgen: " << problem << "\nusage: soundgen OUTDIR\n";
        return 2;
    };
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    if (parser.positionalArguments().size() != 1)
        return usage(QStringLiteral("give one OUTDIR"));

    const QDir dir(parser.positionalArguments().constFirst());
    const bool ok = save(dir.filePath(QStringLiteral("Correct.wav")), wav(correctChime())) &&
                    save(dir.filePath(QStringLiteral("Try.wav")), wav(tryTone()));
    return ok ? 0 : 1;
}
