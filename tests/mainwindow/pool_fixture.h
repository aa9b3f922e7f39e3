#pragma once
// A tiny Technician pool in a temporary folder that serves as the start directory and as
// the program's folder ("test.txt" is written there).

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A wave file the sound player accepts: 16-bit mono PCM at 8 kHz, eight silent samples.
inline QByteArray silentWave()
{
    QByteArray wave("RIFF\x34\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0"
                    "data\x10\0\0\0",
                    44);
    return wave.append(16, '\0');
}

class PoolFolder
{
public:
    // count records; record i has the correct answer "ABCD"[i % 4].
    explicit PoolFolder(int count = 30) : PoolFolder(samplePool(count)) {}
    // A "questech.txt" holding exactly these bytes.
    explicit PoolFolder(const QByteArray &questech)
    {
        QFile f(m_dir.filePath(QStringLiteral("questech.txt")));
        if (f.open(QIODevice::WriteOnly))
            f.write(questech);
    }
    QString path() const { return m_dir.path(); }

private:
    static QByteArray samplePool(int count)
    {
        QByteArray text = "\"Technician Sample Pool\", \"July 1, 2026\", \"x\"\r\n";
        for (int i = 0; i < count; ++i) {
            const char letter = "ABCD"[i % 4];
            text += QByteArray("T1A") + QByteArray::number(i + 1).rightJustified(2, '0') + " (" + letter +
                    ") [97.1]\r\n";
            text += "Question " + QByteArray::number(i + 1) + "?\r\n";
            for (char c : {'A', 'B', 'C', 'D'})
                text += QByteArray(1, c) + ".  Choice " + QByteArray(1, c) + " of " +
                        QByteArray::number(i + 1) + "\r\n";
            text += "~~\r\n";
        }
        return text;
    }

    QTemporaryDir m_dir;
};
