// The program's one window: two name boxes, the diagnose button and the large
// display the score is counted up in. Its look is in Form1.ui; this class
// holds the window's one variable, aisyou, and the timer that drives the count.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace Ui {
class Form1;
}

class Form1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint aisyou READ Aisyou)

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The score of the last diagnosis, 0 before the first.
    uint Aisyou() const { return aisyou; }

private:
    std::unique_ptr<Ui::Form1> ui;
    QTimer Timer1{this};
    std::uint8_t aisyou = 0;
};
