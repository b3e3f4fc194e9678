#include "FormDriver.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QTest>

FormDriver::FormDriver(CuePlayer player)
{
    clock.start();
    form_ = std::make_unique<Form1>([this, player](std::u16string_view cueName) {
        const QString cue = QString::fromUtf16(cueName.data(), qsizetype(cueName.size()));
        cues << Cue{cue.section(u'/', -1), Text3()->text(), Command1()->isEnabled(), clock.elapsed()};
        if (player)
            player(cueName);
    });
    QObject::connect(Text3(), &QLineEdit::textChanged, [this](const QString &text) { displayed << text; });
    form_->show();
    QApplication::setActiveWindow(form_.get());
    // Clicks and keys reach only an active window: without one, no test of it means anything.
    if (!QTest::qWaitForWindowActive(form_.get(), ReadyMs))
        qFatal("the window did not become active");
}

QLineEdit *FormDriver::box(const char *name) const
{
    return form_->findChild<QLineEdit *>(QString::fromLatin1(name));
}

QPushButton *FormDriver::Command1() const
{
    return form_->findChild<QPushButton *>(QStringLiteral("Command1"));
}

QTimer *FormDriver::Timer1() const
{
    return form_->findChild<QTimer *>(QStringLiteral("Timer1"));
}

void FormDriver::Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void FormDriver::Commit(QLineEdit *box, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

void FormDriver::Enter(QLineEdit *box, const QString &text)
{
    Click(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    Commit(box, text);
}

bool FormDriver::WaitForCountToEnd(int timeoutMs)
{
    // A plain event loop, not QTest::qWaitFor, whose sleeps between rounds
    // would make the window's ticks late.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!Timer1()->isActive())
            loop.quit();
    });
    poll.start(2);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (Timer1()->isActive())
        loop.exec();
    return !Timer1()->isActive();
}
