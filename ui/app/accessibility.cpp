// What screen readers learn of the windows beyond what Qt tells by itself.

#include "ui/app/accessibility.h"

#include "ui/dialogs/formprogress.h"
#include "ui/grid/gridaccessible.h"
#include "ui/window/statuspanels.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Accessibility)
};

// Readers take a widget's tool tip as its description unless it has one of its
// own, but Qt does not tell them when the tip changes.
class HintNotifier : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTipChange && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->accessibleDescription().isEmpty()) {
            QAccessibleEvent changed(watched, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
        return false;
    }
};

// The three panels under the grid: port, range, spare.
class StatusPanelsAccessible : public QAccessibleWidget
{
public:
    explicit StatusPanelsAccessible(StatusPanels *panels) : QAccessibleWidget(panels, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        const auto *panels = static_cast<const StatusPanels *>(widget());
        QStringList texts;
        for (int i = 0; i < panels->widths().size(); ++i) {
            if (!panels->text(i).isEmpty())
                texts << panels->text(i);
        }
        return texts.join(QStringLiteral(", "));
    }
};

// The owner-drawn bar under the job's log. It is repainted whenever its
// percent changes, so a paint that shows another percent is a new value.
class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ProgressAccessible(ProgressPanel *panel) : QAccessibleWidget(panel, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Tr::tr("Ход выполнения");
        if (t == QAccessible::Value)
            return QStringLiteral("%1 %").arg(Percent());
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return Percent(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    int Percent() const
    {
        const int percent = static_cast<const ProgressPanel *>(widget())->percent();
        return percent >= 0 && percent <= 100 ? percent : 0;
    }
};

class ProgressNotifier : public QObject
{
public:
    explicit ProgressNotifier(ProgressPanel *panel) : QObject(panel), m_panel(panel), m_told(panel->percent())
    {
        panel->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_panel->percent() != m_told) {
            m_told = m_panel->percent();
            QAccessibleValueChangeEvent changed(m_panel, m_told);
            QAccessible::updateAccessibility(&changed);
        }
        return false;
    }

private:
    ProgressPanel *m_panel;
    int m_told;
};

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (QAccessibleInterface *grid = gridaccessible::Create(className, object))
        return grid;
    if (className == QLatin1String("StatusPanels")) {
        if (auto *panels = qobject_cast<StatusPanels *>(object))
            return new StatusPanelsAccessible(panels);
    }
    if (className == QLatin1String("ProgressPanel")) {
        if (auto *panel = qobject_cast<ProgressPanel *>(object)) {
            new ProgressNotifier(panel);
            return new ProgressAccessible(panel);
        }
    }
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(Factory);
    qApp->installEventFilter(new HintNotifier(qApp));
}

QLabel *LabelFor(const QString &text, QWidget *field, QWidget *alsoNamed)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    if (alsoNamed)
        alsoNamed->setAccessibleName(text);
    return label;
}

void SetTabOrder(const QList<QWidget *> &widgets)
{
    for (qsizetype i = 0; i + 1 < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i], widgets[i + 1]);
}
