#include "ModalDismisser.h"

#include <QAbstractButton>
#include <QApplication>
#include <algorithm>

ModalDismisser::ModalDismisser()
{
    connect(&poll, &QTimer::timeout, this, &ModalDismisser::Check);
    poll.start(5);
}

void ModalDismisser::Check()
{
    int open = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        open += qobject_cast<QMessageBox *>(widget) && widget->isVisible();
    mostOpenAtOnce = std::max(mostOpenAtOnce, open);
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box) {
        // Not the refusal: noted as a message of its own, so a test counting messages sees it.
        messages << Message{modal->windowTitle(), QString::fromLatin1(modal->metaObject()->className()), {},
                            QMessageBox::NoIcon};
        modal->close();
        return;
    }
    messages << Message{box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}
