// Typing and turning the wheel as a user does, for the editor tests.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

// Typing into an editor field as the user does: a field with a pattern is
// overwritten from its first position, any other field replaced.
inline void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    if (edit->inputMask().isEmpty())
        edit->selectAll();
    else
        edit->setCursorPosition(0);
    QTest::keyClicks(edit, text);
}

// One wheel event over the middle of `over`.
inline void Wheel(QWidget *over, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF local = QRectF(over->rect()).center();
    QWheelEvent event(local, over->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &event);
}
