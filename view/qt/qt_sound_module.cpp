// The sound module: QtSoundPlayer's QSoundEffect side, loaded by the player on first use.
#include "view/qt/qt_sound_module.h"

#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectBackend final : public view::qt::SoundBackend
{
public:
    ~EffectBackend() override { delete m_effect.data(); }

    void play(const QString &path) override
    {
        stop();
        auto *effect = new QSoundEffect;
        m_effect = effect;
        // Play once loaded; a file that never loads (broken, or an error) stays silent.
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Ready)
                effect->play();
        });
        effect->setSource(QUrl::fromLocalFile(path));
        if (effect->status() == QSoundEffect::Ready)
            effect->play();
    }

    void stop() override
    {
        if (!m_effect)
            return;
        m_effect->stop();
        // It may still be decoding; let its own events finish before it goes.
        m_effect->deleteLater();
        m_effect = nullptr;
    }

    QObject *current() const override { return m_effect.data(); }

private:
    QPointer<QSoundEffect> m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT view::qt::SoundBackend *examoraSoundBackend()
{
    return new EffectBackend;
}
