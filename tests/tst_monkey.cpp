// Ten thousand random steps of a careless person at the window: typing kana
// and other text, deleting, pasting up to the boxes' limit, Tab and clicks,
// pressing the button and letting the timer tick, with the window's rules
// checked after every step.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTest>

#include "FormDriver.h"
#include "ModalDismisser.h"
#include "Oracle.h"

namespace {

const QString Kana = QStringLiteral(
    "んあぁかがさざただなはばぱまやゃらわいぃきぎしじちぢにひびぴみりうぅくぐすずつづっぬふぶぷむゆゅる"
    "えぇけげせぜてでねへべぺめれおぉこごそぞとどのほぼぽもよょろを");
const QStringList NotKana = {QStringLiteral("タ"), QStringLiteral("山"), QStringLiteral("x"),
                             QStringLiteral("ー"), QStringLiteral("ゐ"), QStringLiteral("ゔ"),
                             QStringLiteral("𠀋"), QStringLiteral(" "), QStringLiteral("7")};

class Monkey {
public:
    explicit Monkey(quint32 seed) : random(seed)
    {
        auto nameChanged = [this] {
            diagnosedSinceChange = false;
            countAllowed = false;
        };
        QObject::connect(driver.Text1(), &QLineEdit::textChanged, nameChanged);
        QObject::connect(driver.Text2(), &QLineEdit::textChanged, nameChanged);
        QObject::connect(driver.Text3(), &QLineEdit::textChanged, [this](const QString &text) {
            if (!text.isEmpty() && !countAllowed)
                violations << QStringLiteral("the display showed %1 after a name change").arg(text);
        });
    }

    // One step, each kind as often in a hundred as its share of the table.
    QString Step()
    {
        static constexpr std::pair<int, QString (Monkey::*)()> Steps[] = {
            {25, &Monkey::TypeKana}, {8, &Monkey::TypeNotKana}, {10, &Monkey::Delete}, {4, &Monkey::Paste},
            {8, &Monkey::Tab}, {10, &Monkey::ClickSomewhere}, {10, &Monkey::Press}, {20, &Monkey::Tick},
            {5, &Monkey::Wait}};
        int choice = int(random.bounded(100));
        for (auto [share, step] : Steps) {
            if ((choice -= share) < 0)
                return (this->*step)();
        }
        return {};
    }

    // Every rule the window keeps; empty when all hold.
    QString Broken() const
    {
        if (!violations.isEmpty())
            return violations.join(QStringLiteral("; "));
        const bool bothNamed = !driver.Text1()->text().isEmpty() && !driver.Text2()->text().isEmpty();
        if (driver.Command1()->isEnabled() != (bothNamed && !diagnosedSinceChange))
            return QStringLiteral("the button is %1").arg(driver.Command1()->isEnabled() ? "enabled" : "disabled");
        const QString shown = driver.Text3()->text();
        const uint score = uint(expectedScore);
        if (driver.form().property("aisyou").toInt() != expectedScore)
            return QStringLiteral("aisyou is %1, not %2").arg(driver.form().property("aisyou").toInt()).arg(expectedScore);
        if (!shown.isEmpty()) {
            bool isNumber = false;
            const uint value = shown.toUInt(&isNumber);
            if (!isNumber || value > score)
                return QStringLiteral("the display shows %1 with a score of %2").arg(shown).arg(score);
            if (driver.Timer1()->isActive() != (value < score))
                return QStringLiteral("the timer is %1 at %2 of %3")
                    .arg(driver.Timer1()->isActive() ? "on" : "off", shown).arg(score);
        } else if (driver.Timer1()->isActive()) {
            return QStringLiteral("the timer runs with an empty display");
        }
        if (dismisser.mostOpenAtOnce > 1)
            return QStringLiteral("%1 messages were open at once").arg(dismisser.mostOpenAtOnce);
        if (dismisser.messages.size() != expectedMessages)
            return QStringLiteral("%1 messages shown, %2 expected").arg(dismisser.messages.size()).arg(expectedMessages);
        return {};
    }

private:
    QLineEdit *NameBox() { return random.bounded(2) ? driver.Text1() : driver.Text2(); }

    // What of text the box takes in place of its selection: a full box takes
    // nothing, a nearly full one the first units only.
    static QString Inserted(const QLineEdit *box, const QString &text)
    {
        const qsizetype room = box->maxLength() - (box->text().size() - box->selectedText().size());
        return text.left(std::max<qsizetype>(0, room));
    }

    QString RandomKana(int length)
    {
        QString text;
        text.reserve(length);
        for (int i = 0; i < length; ++i)
            text += Kana[random.bounded(int(Kana.size()))];
        return text;
    }

    QString TypeKana()
    {
        QLineEdit *box = NameBox();
        driver.Click(box);
        driver.Commit(box, RandomKana(1 + int(random.bounded(6))));
        return QStringLiteral("kana into ") + box->objectName();
    }

    QString TypeNotKana()
    {
        QLineEdit *box = NameBox();
        driver.Click(box);
        const QString text = NotKana[random.bounded(int(NotKana.size()))];
        if (!Inserted(box, text).isEmpty())
            ++expectedMessages;
        if (text.size() == 1 && text[0].unicode() < 0x80)
            QTest::keyClick(box, text[0].toLatin1());
        else
            driver.Commit(box, text);
        return QStringLiteral("%1 into %2").arg(text, box->objectName());
    }

    QString Delete()
    {
        QLineEdit *box = NameBox();
        driver.Click(box);
        QTest::keyClick(box, random.bounded(2) ? Qt::Key_Backspace : Qt::Key_Delete);
        return QStringLiteral("delete in ") + box->objectName();
    }

    QString Paste()
    {
        QLineEdit *box = NameBox();
        driver.Click(box);
        QString text = RandomKana(1 + int(random.bounded(32767)));
        const bool spoiled = random.bounded(4) == 0;
        if (spoiled)
            text[random.bounded(int(text.size()))] = u'カ';
        if (spoiled && Inserted(box, text).contains(u'カ'))
            ++expectedMessages;
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return QStringLiteral("paste of %1 into %2").arg(text.size()).arg(box->objectName());
    }

    QString Tab()
    {
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : &driver.form();
        QTest::keyClick(focus, Qt::Key_Tab, random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier);
        return QStringLiteral("tab");
    }

    QString ClickSomewhere()
    {
        QWidget *targets[] = {driver.Text1(), driver.Text2(), driver.Text3(), &driver.form()};
        QWidget *target = targets[random.bounded(4)];
        driver.Click(target);
        return QStringLiteral("click on ") + target->objectName();
    }

    QString Press()
    {
        if (driver.Command1()->isEnabled()) {
            diagnosedSinceChange = true;
            countAllowed = true;
            expectedScore = oracle::Score(driver.Text1()->text().toStdU16String(),
                                          driver.Text2()->text().toStdU16String());
        }
        driver.Click(driver.Command1());
        return QStringLiteral("press");
    }

    QString Wait()
    {
        QTest::qWait(int(random.bounded(60)));
        return QStringLiteral("wait");
    }

    QString Tick()
    {
        // As the timer would, only while it runs; many at once, to finish counts.
        const int ticks = 1 + int(random.bounded(30));
        for (int i = 0; i < ticks && driver.Timer1()->isActive(); ++i)
            QMetaObject::invokeMethod(driver.Timer1(), "timeout");
        return QStringLiteral("ticks");
    }

    QRandomGenerator random;
    FormDriver driver;
    ModalDismisser dismisser;
    qsizetype expectedMessages = 0;
    int expectedScore = 0; // of the names at the last press, worked out apart from the window
    bool diagnosedSinceChange = false;
    bool countAllowed = false;
    QStringList violations;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void randomSteps_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("steps");

        // Four careless people of 2500 steps each, run side by side as four tests.
        for (quint32 seed : {1u, 2u, 3u, 4u})
            QTest::addRow("seed %u", seed) << seed << 2500;
    }

    void randomSteps()
    {
        QFETCH(quint32, seed);
        QFETCH(int, steps);

        Monkey monkey(seed);
        QStringList recent;
        for (int step = 0; step < steps; ++step) {
            recent << monkey.Step();
            if (recent.size() > 8)
                recent.removeFirst();
            const QString broken = monkey.Broken();
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("step %1: %2 (after: %3)")
                                                      .arg(step).arg(broken, recent.join(QStringLiteral(", ")))));
        }
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
