#include "HiraganaInputFrameworks.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <utility>

// IBus switches engines' modes through properties of the focused input
// context: mozc names its modes "InputMode.Hiragana", "InputMode.Direct" and
// so on. IBus takes an input context's calls only from the connection that
// made it, which in a Qt program is Qt's own ("QIBusProxy"); without Qt's
// IBus plugin that connection does not exist and nothing is asked. mozc's
// mode is one for the whole desktop, so the mode the person had is put back
// when they leave the name boxes for another control of the window. Every
// call is asynchronous: IBus drops calls it refuses without an answer.
namespace {

const QString Service = QStringLiteral("org.freedesktop.IBus");
const QString ContextInterface = QStringLiteral("org.freedesktop.IBus.InputContext");
const QString Hiragana = QStringLiteral("InputMode.Hiragana");
constexpr uint Checked = 1; // IBus's PROP_STATE_CHECKED
// Qt's IBus context asks for preedit text, focus and surrounding text.
constexpr uint QtCapabilities = 1 | 8 | 32;
constexpr uint PropertyCapability = 16;
constexpr int CallTimeoutMs = 300;

QDBusConnection QtIBusConnection()
{
    return QDBusConnection(QStringLiteral("QIBusProxy"));
}

// IBus's serialized objects as nested lists: a structure or array becomes a
// QVariantList, a variant its content.
QVariant Plain(const QVariant &value);

QVariantList Elements(const QDBusArgument &argument)
{
    QVariantList elements;
    const QDBusArgument::ElementType type = argument.currentType();
    if (type != QDBusArgument::StructureType && type != QDBusArgument::ArrayType)
        return elements; // maps (IBus's attachments) are not needed
    type == QDBusArgument::StructureType ? argument.beginStructure() : argument.beginArray();
    while (!argument.atEnd())
        elements << Plain(argument.asVariant());
    type == QDBusArgument::StructureType ? argument.endStructure() : argument.endArray();
    return elements;
}

QVariant Plain(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return Plain(value.value<QDBusVariant>().variant());
    if (value.userType() == qMetaTypeId<QDBusArgument>())
        return Elements(value.value<QDBusArgument>());
    return value;
}

// Follows the engine's property signals and remembers which input mode is
// checked. Lives for the program's life once IBus is in use.
class ModeWatch : public QObject {
    Q_OBJECT

public:
    QString mode;     // the engine's input mode now, when it has said
    QString saved;    // the person's mode before a name box asked for hiragana
    bool engaged = false;
    QString followed; // the input context whose properties are reported to us

public slots:
    void Registered(const QDBusMessage &message) { Note(Plain(message.arguments().value(0)).toList()); }
    void Updated(const QDBusMessage &message) { Note(Plain(message.arguments().value(0)).toList()); }

private:
    // An IBusProperty is ("IBusProperty", attachments, key, type, label, icon,
    // tooltip, sensitive, visible, state, sub-properties, ...); an
    // IBusPropList is ("IBusPropList", attachments, [properties]).
    void Note(const QVariantList &object)
    {
        const QString kind = object.value(0).toString();
        if (kind == QLatin1String("IBusPropList")) {
            for (const QVariant &property : object.value(2).toList())
                Note(property.toList());
        } else if (kind == QLatin1String("IBusProperty")) {
            const QString key = object.value(2).toString();
            if (key.startsWith(QLatin1String("InputMode.")) && object.value(9).toUInt() == Checked) {
                mode = key;
                // The person's mode, when it is only learnt after a box has
                // asked: the engine reports its properties as the box gains
                // the focus, which may come after the box's request.
                if (engaged && saved.isEmpty() && key != Hiragana)
                    saved = key;
            }
            Note(object.value(10).toList());
        }
    }
};

ModeWatch *Watch()
{
    static ModeWatch *const watch = [] {
        auto *created = new ModeWatch;
        QDBusConnection bus = QtIBusConnection();
        bus.connect(QString(), QString(), ContextInterface, QStringLiteral("RegisterProperties"), created,
                    SLOT(Registered(QDBusMessage)));
        bus.connect(QString(), QString(), ContextInterface, QStringLiteral("UpdateProperty"), created,
                    SLOT(Updated(QDBusMessage)));
        return created;
    }();
    return watch;
}

void Call(const QString &path, const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path, ContextInterface, method);
    call.setArguments(arguments);
    QtIBusConnection().asyncCall(call, CallTimeoutMs);
}

// Checks the mode on the input context that has the focus now, which is the
// box's: IBus names it in its CurrentInputContext property. The calls go out
// in order on one connection, and the engine takes them in that order.
void ActivateMode(const QString &mode)
{
    QDBusMessage get = QDBusMessage::createMethodCall(Service, QStringLiteral("/org/freedesktop/IBus"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << Service << QStringLiteral("CurrentInputContext");
    auto *watcher = new QDBusPendingCallWatcher(QtIBusConnection().asyncCall(get, CallTimeoutMs), Watch());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, mode] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        const QVariant path = Plain(reply.arguments().value(0));
        if (reply.type() != QDBusMessage::ReplyMessage || !path.canConvert<QDBusObjectPath>())
            return;
        const QString context = path.value<QDBusObjectPath>().path();
        ModeWatch *watch = Watch();
        if (watch->followed != context) {
            // The engine reports its properties, and so its mode, to a
            // context that asks for them (Qt's does not), each time the
            // context gains the focus: ask, and have them reported now.
            watch->followed = context;
            Call(context, QStringLiteral("SetCapabilities"), {QtCapabilities | PropertyCapability});
            Call(context, QStringLiteral("FocusOut"));
            Call(context, QStringLiteral("FocusIn"));
        }
        Call(context, QStringLiteral("PropertyActivate"), {mode, Checked});
    });
}

// The requests for one focus of one box. While IBus is still starting its
// engine (mozc, at login) a request does nothing: it is made again until the
// engine reports hiragana or the box loses the focus. Deletes itself when done.
class Asking : public QObject {
public:
    explicit Asking(QWidget *box) : QObject(box), box_(box)
    {
        setObjectName(QStringLiteral("IBusHiraganaAsking"));
        ActivateMode(Hiragana);
        QTimer::singleShot(retries_.NextMs(), this, &Asking::Try);
    }

private:
    void Try()
    {
        if (!box_ || box_->window()->focusWidget() != box_ || retries_.Over() || Watch()->mode == Hiragana) {
            deleteLater();
            return;
        }
        // The engine acts on the input context that has the focus: only ask
        // while it is this window's.
        if (box_->window()->isActiveWindow())
            ActivateMode(Hiragana);
        QTimer::singleShot(retries_.NextMs(), this, &Asking::Try);
    }

    QPointer<QWidget> box_;
    Retries retries_;
};

} // namespace

void IBusHiragana::Request(QWidget *box)
{
    if (!QtIBusConnection().isConnected())
        return;
    ModeWatch *watch = Watch();
    if (!watch->engaged) {
        watch->saved = watch->mode;
        watch->engaged = true;
    }
    delete box->findChild<Asking *>(QStringLiteral("IBusHiraganaAsking"), Qt::FindDirectChildrenOnly);
    new Asking(box);
}

void IBusHiragana::Restore(QWidget *)
{
    if (!QtIBusConnection().isConnected())
        return;
    ModeWatch *watch = Watch();
    if (!std::exchange(watch->engaged, false))
        return;
    if (!watch->saved.isEmpty() && watch->saved != Hiragana)
        ActivateMode(watch->saved);
}

#include "HiraganaInputIBus.moc"
