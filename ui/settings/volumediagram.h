// The volume diagram of the settings page.
#pragma once

#include <QSvgRenderer>
#include <QWidget>

class SettingsContext;

// The 256 x 256 picture on the "Настройки" page: how the volume rises from
// its minimum, where the key click sits on that line, and the current volume.
class VolumeDiagram : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Side = 256;
    // The levels the diagram plots, as far as their track bars reach.
    static constexpr int MaxVolume = 16;
    static constexpr int MaxMinVolume = 9;
    static constexpr int MinBeep = 1;
    static constexpr int MaxBeep = 16;

    explicit VolumeDiagram(const SettingsContext &settings, QWidget *parent = nullptr);

    // The key-click part is drawn only while key clicks are on (or cannot be
    // switched off in the settings version shown).
    void SetBeepShown(bool shown);
    bool beepShown() const { return m_beepShown; }

    // Draws the diagram for the widget's size onto `painter`.
    void Render(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsContext &m_settings;
    bool m_beepShown = true;
    mutable QSvgRenderer m_volumePicture;
    mutable QSvgRenderer m_beepPicture;
};
