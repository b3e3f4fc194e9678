#include "HiraganaInputFrameworks.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// fcitx5 is asked over its D-Bus controller to activate the focused input
// context; mozc, the Japanese engine, comes up in hiragana when activated.
namespace {

const QString Service = QStringLiteral("org.fcitx.Fcitx5");
const QString Path = QStringLiteral("/controller");
const QString Interface = QStringLiteral("org.fcitx.Fcitx.Controller1");
constexpr int ActiveState = 2; // State: 0 no focused input, 1 off, 2 on
constexpr int CallTimeoutMs = 500;

// The tries for one focus of one box, until fcitx5 says the box's input is
// on or 15 s have passed. fcitx5 learns of a newly shown window a little
// after Qt focuses it, so the first Activate may reach no input context and
// has to be tried again. Deletes itself when done.
class Activation : public QObject {
public:
    explicit Activation(QWidget *box) : QObject(box), box_(box)
    {
        setObjectName(QStringLiteral("HiraganaInputActivation"));
        Try();
    }

private:
    void Try()
    {
        if (!box_ || box_->window()->focusWidget() != box_ || retries_.Over()) {
            deleteLater();
            return;
        }
        // Activate acts on the input context fcitx5 thinks has the focus;
        // until this window is active, that may still be another program's.
        if (!box_->window()->isActiveWindow() || !box_->hasFocus()) {
            Again();
            return;
        }
        // fcitx5 not on the bus yet (at a login the desktop may start it
        // last) or busy loading mozc is asked again; where there is no
        // fcitx5 at all, the tries run out unanswered.
        Call(QStringLiteral("Activate"), [this](const QDBusMessage &) {
            Call(QStringLiteral("State"), [this](const QDBusMessage &state) {
                if (state.type() == QDBusMessage::ReplyMessage
                    && state.arguments().value(0).toInt() == ActiveState)
                    deleteLater();
                else
                    Again();
            });
        });
    }

    void Again() { QTimer::singleShot(retries_.NextMs(), this, &Activation::Try); }

    template <typename Handler>
    void Call(const QString &method, Handler handler)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
        // Debian's fcitx5 is D-Bus activatable: a box must never start it.
        message.setAutoStartService(false);
        auto *watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(message, CallTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, handler] {
            watcher->deleteLater();
            handler(watcher->reply());
        });
    }

    QPointer<QWidget> box_;
    Retries retries_;
};

} // namespace

void FcitxHiragana::Request(QWidget *box)
{
    // Without a session bus there is no fcitx5 to ask, and touching D-Bus
    // would only make libdbus launch a bus of its own that outlives us.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // A box entered again while its last tries still run starts them afresh.
    delete box->findChild<Activation *>(QStringLiteral("HiraganaInputActivation"),
                                        Qt::FindDirectChildrenOnly);
    new Activation(box);
}
