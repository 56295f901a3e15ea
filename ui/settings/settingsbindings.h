// A settings field tied to its controls, with the mouse-wheel rules.
#pragma once

#include <QObject>

#include <cstdint>

class QLineEdit;
class QPoint;
class QSlider;
class QWidget;

// One settings field tied to its controls. The settings pages keep twelve of
// them in a fixed order, which decides who takes a turn of the mouse wheel.
class SettingsBinding : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether one of the binding's visible controls lies under `globalPos`.
    virtual bool IsUnder(const QPoint &globalPos) const = 0;
    virtual bool HasFocus() const = 0;
    // One wheel notch: step +1 (up) or -1 (down); `takeFocus` moves the focus
    // to the binding's control as well.
    virtual void Wheel(int step, bool takeFocus) = 0;
    // Field -> controls.
    virtual void Show() = 0;

protected:
    static bool Under(const QWidget *widget, const QPoint &globalPos);
    static bool CanFocus(const QWidget *widget);
};

// A read-only number box beside a track bar. The box never takes the focus: a
// click on it hands the focus to the bar. A vertical bar counts downwards, so
// that its top end is its largest value.
class SliderBinding : public SettingsBinding
{
    Q_OBJECT
public:
    SliderBinding(QLineEdit *box, QSlider *bar, std::int32_t &field, QObject *parent);

    QLineEdit *box() const { return m_box; }
    QSlider *bar() const { return m_bar; }
    const std::int32_t &field() const { return m_field; }

    // Bar position -> field and number box.
    void ReadSlider();
    // Field -> bar position, then ReadSlider: a field outside the bar's range
    // is clamped and written back.
    void ShowSlider();

    bool IsUnder(const QPoint &globalPos) const override;
    bool HasFocus() const override;
    void Wheel(int step, bool takeFocus) override;
    void Show() override { ShowSlider(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool vertical() const;
    // Field value <-> bar position (the rule is its own inverse).
    int Mirror(int value) const;

    QLineEdit *m_box;
    QSlider *m_bar;
    std::int32_t &m_field;
};

// A number edit with a range. Text that is not the plain decimal form of a
// number in range turns the edit red and leaves the field as it was. When the
// user leaves a red edit, the field and the edit go back to the value the edit
// had when it took the focus: a half-typed number is never kept.
class NumberBinding : public SettingsBinding
{
    Q_OBJECT
public:
    NumberBinding(QLineEdit *edit, std::int32_t &field, int minimum, int maximum, QObject *parent);

    QLineEdit *edit() const { return m_edit; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    bool isValid() const { return m_valid; }

    // Edit text -> field when valid; colours the edit either way.
    bool ValidateNumber();
    // Field -> edit text, then ValidateNumber: a stored value out of range
    // shows red and stays stored.
    void ShowNumber();

    bool IsUnder(const QPoint &globalPos) const override;
    bool HasFocus() const override;
    void Wheel(int step, bool takeFocus) override;
    void Show() override { ShowNumber(); }

    // The rule on its own: the value of `text`, or nothing when it is invalid.
    static bool ParseNumber(const QString &text, int minimum, int maximum, int &value);

    // A red edit goes back to the value it had when the user came to it.
    void RevertIfInvalid();

    // How a message names the edit ("Сканирование: Длительность паузы").
    void SetCaption(const QString &caption) { m_caption = caption; }
    const QString &caption() const { return m_caption; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    std::int32_t &m_field;
    int m_min;
    int m_max;
    bool m_valid = true;
    std::int32_t m_entered = 0;
    QString m_caption;
};

// Whether a focus event means the user came to or left the control (a click,
// the wheel or a key), not that a message box or a menu opened over it or
// closed, nor that the program moved the focus.
bool UserFocusChange(const QEvent *event);

// Red background for invalid input, the normal one otherwise.
void MarkInvalid(QLineEdit *edit, bool invalid);
