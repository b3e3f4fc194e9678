#include "Form1Accessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class Form1Accessible : public QAccessibleWidget {
public:
    explicit Form1Accessible(QWidget *form) : QAccessibleWidget(form, QAccessible::Window) {}

    int childCount() const override { return int(Shown().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> shown = Shown();
        if (index < 0 || index >= shown.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(shown[index]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || !child->object())
            return -1;
        return int(Shown().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    // The controls a person can see, hidden ones left out.
    QList<QWidget *> Shown() const
    {
        QList<QWidget *> shown;
        for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->isHidden())
                shown << child;
        }
        return shown;
    }
};

QAccessibleInterface *Form1AccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Form1") && object && object->isWidgetType())
        return new Form1Accessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void InstallForm1Accessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(Form1AccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
