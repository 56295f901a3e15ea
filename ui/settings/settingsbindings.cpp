// A settings field tied to its controls, with the mouse-wheel rules.

#include "ui/settings/settingsbindings.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>
#include <QSlider>

#include <algorithm>

bool SettingsBinding::Under(const QWidget *widget, const QPoint &globalPos)
{
    return widget->isVisible() && widget->rect().contains(widget->mapFromGlobal(globalPos));
}

bool SettingsBinding::CanFocus(const QWidget *widget)
{
    return widget->focusPolicy() != Qt::NoFocus && widget->isEnabled() && widget->isVisible();
}

void MarkInvalid(QLineEdit *edit, bool invalid)
{
    if (invalid) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, QColor(255, 0, 0));
        edit->setPalette(palette);
    } else {
        edit->setPalette(QPalette());
    }
}

// --- SliderBinding --------------------------------------------------------

SliderBinding::SliderBinding(QLineEdit *box, QSlider *bar, std::int32_t &field, QObject *parent)
    : SettingsBinding(parent), m_box(box), m_bar(bar), m_field(field)
{
    m_box->setReadOnly(true);
    m_box->setFocusPolicy(Qt::NoFocus);
    m_box->installEventFilter(this);
}

bool SliderBinding::vertical() const
{
    return m_bar->orientation() == Qt::Vertical;
}

int SliderBinding::Mirror(int value) const
{
    return vertical() ? m_bar->maximum() + 2 * m_bar->minimum() - value : value;
}

void SliderBinding::ReadSlider()
{
    m_field = Mirror(m_bar->value());
    m_box->setText(QString::number(m_field));
}

void SliderBinding::ShowSlider()
{
    // The bar clamps; narrowing first keeps the mirror of a huge value from overflowing.
    const int value = std::clamp(m_field, m_bar->minimum() - 1, m_bar->maximum() + 1);
    m_bar->setValue(Mirror(value));
    ReadSlider();
}

bool SliderBinding::IsUnder(const QPoint &globalPos) const
{
    return Under(m_bar, globalPos) || Under(m_box, globalPos);
}

bool SliderBinding::HasFocus() const
{
    return m_bar->hasFocus();
}

void SliderBinding::Wheel(int step, bool takeFocus)
{
    if (takeFocus && CanFocus(m_bar))
        m_bar->setFocus(Qt::MouseFocusReason);
    m_bar->setValue(m_bar->value() + (vertical() ? -step : step));
}

bool SliderBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::MouseButtonPress && CanFocus(m_bar)) {
        m_bar->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return SettingsBinding::eventFilter(watched, event);
}

// --- NumberBinding --------------------------------------------------------

bool UserFocusChange(const QEvent *event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    // Not a window or a menu coming or going, nor the program moving the focus.
    switch (static_cast<const QFocusEvent *>(event)->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    default:
        return false;
    }
}

NumberBinding::NumberBinding(QLineEdit *edit, std::int32_t &field, int minimum, int maximum, QObject *parent)
    : SettingsBinding(parent), m_edit(edit), m_field(field), m_min(minimum), m_max(maximum)
{
    connect(m_edit, &QLineEdit::textChanged, this, &NumberBinding::ValidateNumber);
    m_edit->installEventFilter(this);
}

bool NumberBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && UserFocusChange(event)) {
        if (event->type() == QEvent::FocusIn)
            m_entered = m_field;
        else
            RevertIfInvalid();
    }
    return SettingsBinding::eventFilter(watched, event);
}

void NumberBinding::RevertIfInvalid()
{
    if (m_valid)
        return;
    // What stays shown is what is stored.
    m_field = m_entered;
    ShowNumber();
}

bool NumberBinding::ParseNumber(const QString &text, int minimum, int maximum, int &value)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    int v = trimmed.toInt(&ok, 10);
    if (!ok)
        v = minimum;
    value = v;
    // "007", "+7" and "" are not the way the number is written; all are refused.
    return trimmed == QString::number(v) && v >= minimum && v <= maximum;
}

bool NumberBinding::ValidateNumber()
{
    int v = 0;
    m_valid = ParseNumber(m_edit->text(), m_min, m_max, v);
    if (m_valid)
        m_field = v;
    MarkInvalid(m_edit, !m_valid);
    return m_valid;
}

void NumberBinding::ShowNumber()
{
    m_edit->setText(QString::number(m_field));
    ValidateNumber();
}

bool NumberBinding::IsUnder(const QPoint &globalPos) const
{
    return Under(m_edit, globalPos);
}

bool NumberBinding::HasFocus() const
{
    return m_edit->hasFocus();
}

void NumberBinding::Wheel(int step, bool takeFocus)
{
    m_field = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t(m_field) + step, m_min, m_max));
    ShowNumber();
    if (takeFocus && CanFocus(m_edit))
        m_edit->setFocus(Qt::MouseFocusReason);
}
