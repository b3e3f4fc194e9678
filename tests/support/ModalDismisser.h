// Watches for modal message boxes while a test drives the window, notes what
// each one said and presses its OK button, so no test ever waits on a person.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

class ModalDismisser : public QObject {
public:
    struct Message {
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
    };

    ModalDismisser();

    QList<Message> messages;
    int mostOpenAtOnce = 0; // message boxes shown at the same time

private:
    void Check();

    QTimer poll;
};
