// The sound module: wave files played through QSoundEffect, one effect per file.
#include "platform/SoundBackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <map>
#include <memory>

namespace {

class QtSoundBackend : public kalido::SoundBackend {
public:
    void Play(const std::string& path) override
    {
        auto& effect = sounds_[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        }
        effect->play();
    }
    void CloseAll() override { sounds_.clear(); }
    bool Settled() const override
    {
        return std::none_of(sounds_.begin(), sounds_.end(),
                            [](const auto& sound) { return sound.second->status() == QSoundEffect::Loading; });
    }
    bool HasOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }

private:
    std::map<std::string, std::unique_ptr<QSoundEffect>> sounds_;
};

} // namespace

extern "C" Q_DECL_EXPORT kalido::SoundBackend* kalido_create_sound_backend() { return new QtSoundBackend; }
