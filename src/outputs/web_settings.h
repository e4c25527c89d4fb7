#pragma once

#include "base/settings.h"
#include "base/web_image_size.h"

#include <QSize>

// The keys of the web server and its image: on or off, where it listens,
// the picture's size, the folder it serves and whether it publishes the
// line figures at /metrics.
class WebSettings {
public:
    explicit WebSettings(const Settings &settings) : m_settings(settings) { }

    bool web() const { return m_settings.flag(SettingKey::Web); }
    QString address() const { return m_settings.text(SettingKey::WebAddress); }
    QString port() const { return m_settings.text(SettingKey::Port); }
    QString webFolder() const { return m_settings.text(SettingKey::WebFolder); }
    bool metrics() const { return m_settings.flag(SettingKey::Metrics); }

    // edWidth by edHeight; the side of kWebImageFallbackSize where a box does
    // not hold a number above zero, and no side above kWebImageSideMax (a
    // hand-edited file).
    QSize imageSize() const
    {
        return WebImageSize(m_settings.text(SettingKey::webWidth), m_settings.text(SettingKey::webHeight));
    }

private:
    const Settings &m_settings;
};
