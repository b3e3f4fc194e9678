#include "ModalDismisser.h"

#include <QAbstractButton>
#include <QApplication>

ModalDismisser::ModalDismisser()
{
    connect(&poll, &QTimer::timeout, this, &ModalDismisser::Check);
    poll.start(5);
}

void ModalDismisser::Check()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box) {
        modal->close();
        return;
    }
    messages << Message{box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}
