// The two settings pages.
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include <array>
#include <cstdint>

class CellPainter;
class NumberBinding;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QToolButton;
class QWidget;
class SettingsBinding;
class SettingsContext;
class SliderBinding;
class TInfoContext;
class TrackBar;
class VolumeDiagram;

// The pages "Настройки" and "Настройки 2": every control writes its settings
// field as soon as the user changes it; ShowSettings puts the fields back.
// Controls carry their role as object name (TrackBarVolume, EditTxLimit ...).
class SettingsPages : public QObject
{
    Q_OBJECT
public:
    SettingsPages(SettingsContext &settings, const TInfoContext &info, CellPainter &painter,
                  QObject *parent = nullptr);
    ~SettingsPages() override;

    // The two pages; the main window puts them into its page control and keeps
    // them. Pages nobody adopted are deleted with this object.
    QWidget *page1() const { return m_page1; }
    QWidget *page2() const { return m_page2; }

    // Settings table -> controls, for the settings version in force; also the
    // grid's common values and whether there is a second page.
    void ShowSettings();

    // The pages are created empty and their controls built on first use (or
    // once the main window has been painted), not while the user waits for
    // the program to start. ShowSettings builds them; so does this.
    void EnsureBuilt();

    // The mouse wheel anywhere over the main window: true when a binding took it.
    bool HandleWheel(const QPoint &globalPos, int delta);

    // A red edit: its text is not what the table holds. Nothing may be saved
    // or written while there is one the user can see.
    struct InvalidEntry
    {
        QLineEdit *edit = nullptr;  // null: every edit holds what is stored
        QString caption;            // how a message names it
        QString text;
        int minimum = 0;
        int maximum = 0;
    };
    InvalidEntry FirstInvalidEntry() const;
    // The user leaves the pages: red edits go back to the values they had
    // when the user came to them.
    void RevertInvalidEntries();

    // Whether the settings version in force has a second page.
    bool secondPageVisible() const { return m_secondPageVisible; }

    // The rules behind the controls, usable without a window.
    // "мин: %dВт / макс: %dВт" for levels 1..4, up to the first level of 0 W.
    static QStringList MaxTxPowerItems(const TInfoContext &info);
    // The start-up item for a stored mode (bits 7-6), and the mode an item stores.
    static int StartupModeItem(std::int32_t mode);
    static std::int32_t StartupModeValue(int item);
    // The password typed into five digit positions; blanks count as 0.
    static std::int32_t PasswordValue(const QString &text);
    // The radio keeps 16 bits of the password.
    static constexpr std::int32_t MaxPassword = 0xFFFF;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A "common" choice changed what the grid shows.
    void gridRepaintNeeded();
    // The settings version decides whether "Настройки 2" is offered.
    void secondPageVisibleChanged(bool visible);
    // The user changed a field through `control` (its object name); not sent
    // while ShowSettings sets the controls.
    void settingsEdited(const QString &control);

private:
    void BuildPage1();
    void BuildPage2();
    SliderBinding *AddSlider(const char *name, Qt::Orientation orientation, int minimum, int maximum,
                             int tickInterval, std::int32_t &field);
    NumberBinding *AddNumber(const char *name, const QString &caption, int minimum, int maximum,
                             std::int32_t &field);
    QComboBox *AddCombo(const char *name, const QStringList &items);
    QCheckBox *AddCheck(const char *name, const QString &text, bool &field);

    void TrackBarChange(SliderBinding *binding);
    void MarkBeepSelection();
    // The table into the controls, which must exist; emits none of the
    // signals above.
    void ShowControls();
    // What the table decides outside these pages: the grid's common values
    // and whether there is a second page.
    void ShowTableWide();
    void ApplyVisibility();
    void UpdateBeepShown();
    void ShowLock(QAbstractButton *button, bool locked);
    void ShowPassword();
    void PasswordChange();
    void SetPainter(bool commonTxPower, bool commonSquelch, std::int32_t txPowerLevel,
                    std::int32_t squelchLevel);
    bool updating() const { return m_updating > 0; }
    void Edited(const QObject *control);

    SettingsContext &m_settings;
    const TInfoContext &m_info;
    CellPainter &m_painter;
    QPointer<QWidget> m_page1;
    QPointer<QWidget> m_page2;

    // The twelve bindings in wheel order: six sliders, then six number edits.
    QList<SettingsBinding *> m_bindings;
    std::array<SliderBinding *, 6> m_sliders{};
    std::array<NumberBinding *, 6> m_numbers{};
    // Stops the track-bar change handler from re-entering itself.
    int m_changeDepth = 0;
    // Raised while the controls are being set from the table.
    int m_updating = 0;
    bool m_secondPageVisible = false;
    bool m_built = false;
    bool m_passwordValid = true;
    // The password when the user came to its edit.
    std::int32_t m_passwordEntered = 0;

    QIcon m_lockedIcon;
    QIcon m_unlockedIcon;

    TrackBar *m_beepMinBar = nullptr;
    TrackBar *m_beepMaxBar = nullptr;
    VolumeDiagram *m_diagram = nullptr;
    QToolButton *m_startLock = nullptr;
    QToolButton *m_specLock = nullptr;
    QRadioButton *m_txMax = nullptr;
    QRadioButton *m_txMin = nullptr;
    QCheckBox *m_extSpeaker = nullptr;
    QCheckBox *m_keyBeep = nullptr;
    QCheckBox *m_squelchOn = nullptr;
    QCheckBox *m_squelchAutoVolume = nullptr;
    QComboBox *m_squelchCommon = nullptr;
    QComboBox *m_squelchLevel = nullptr;
    QCheckBox *m_digitalDelay = nullptr;
    QGroupBox *m_micAmpGroup = nullptr;
    QButtonGroup *m_micAmp = nullptr;
    QGroupBox *m_txPowerGroup = nullptr;
    QComboBox *m_txPowerCommon = nullptr;
    QComboBox *m_maxTxPower = nullptr;
    QLabel *m_passwordLabel = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_tamp = nullptr;

    QCheckBox *m_keyLock = nullptr;
    QCheckBox *m_txVoiceMonitor = nullptr;
    QCheckBox *m_deemphasisOff = nullptr;
    QComboBox *m_startupMode = nullptr;
    QCheckBox *m_muxChannel = nullptr;
    QComboBox *m_sqwPolarity = nullptr;
    std::array<QComboBox *, 3> m_outputs{};
};
