// The scoring core without a window: the kana table, the encoder, the fold
// (against the literal pass-by-pass fold), the fold's rows for showing, and
// the pair diagnosis.
#include <QRandomGenerator>
#include <QTest>

#include "DiagnosePair.h"
#include "FoldRows.h"
#include "NameToDigits.h"
#include "Oracle.h"
#include "ReduceToScore.h"
#include "Utf16View.h"

using namespace scoring;
using oracle::LiteralFold;

namespace {

QString Digits(const QString &name)
{
    return QString::fromStdString(NameToDigits(Utf16View(name)));
}

// A name of the given length that cycles through many rows of the table.
QString KanaName(int length, const QString &pattern = QStringLiteral("やまだたろうすずきはなこんっを"))
{
    QString name;
    name.reserve(length);
    for (int i = 0; i < length; ++i)
        name += pattern[i % pattern.size()];
    return name;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private slots:
    void everyHiraganaCodePoint_data()
    {
        QTest::addColumn<QChar>("kana");
        QTest::addColumn<QString>("digit");

        // U+3041..U+3096 in code point order, each with its digit by vowel reading
        // ("-" for the six the game does not count).
        const QString block = QStringLiteral(
            "ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとど"
            "なにぬねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをんゔゕゖ");
        const QString digits = QStringLiteral(
            "11223344551122334455112233445511223334455123451112223334445551234511335512345-1--50---");
        QCOMPARE(block.size(), 0x3096 - 0x3041 + 1);
        QCOMPARE(digits.size(), block.size());
        for (int i = 0; i < block.size(); ++i) {
            QCOMPARE(block[i].unicode(), char16_t(0x3041 + i));
            const QString digit = digits[i] == u'-' ? QString() : QString(digits[i]);
            QTest::addRow("U+%04X %s", 0x3041 + i, qPrintable(QString(block[i]))) << block[i] << digit;
        }
    }

    void everyHiraganaCodePoint()
    {
        QFETCH(QChar, kana);
        QFETCH(QString, digit);
        QCOMPARE(Digits(QString(kana)), digit);
    }

    void encodesNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("digits");

        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("やまだたろう") << QStringLiteral("やまだたろう") << QStringLiteral("111153");
        QTest::newRow("すずきはなこ") << QStringLiteral("すずきはなこ") << QStringLiteral("332115");
        QTest::newRow("ん") << QStringLiteral("ん") << QStringLiteral("0");
        QTest::newRow("ぁ") << QStringLiteral("ぁ") << QStringLiteral("1");
        QTest::newRow("っ") << QStringLiteral("っ") << QStringLiteral("3");
        QTest::newRow("を") << QStringLiteral("を") << QStringLiteral("5");
        QTest::newRow("katakana タロウ") << QStringLiteral("タロウ") << QString();
        QTest::newRow("half-width ﾀﾛｳ") << QStringLiteral("ﾀﾛｳ") << QString();
        QTest::newRow("kanji 山田太郎") << QStringLiteral("山田太郎") << QString();
        QTest::newRow("Latin taro") << QStringLiteral("taro") << QString();
        QTest::newRow("digits and space") << QStringLiteral("12 ３") << QString();
        QTest::newRow("prolonged mark たろー") << QStringLiteral("たろー") << QStringLiteral("15");
        QTest::newRow("iteration marks ゝゞ") << QStringLiteral("ゝゞ") << QString();
        QTest::newRow("sound marks U+3099..U+309C")
            << QStringLiteral("\u3099\u309A\u309B\u309C") << QString();
        QTest::newRow("decomposed が keeps only か") << QStringLiteral("か\u3099") << QStringLiteral("1");
        QTest::newRow("surrogate pair between kana") << QStringLiteral("あ𠀋い") << QStringLiteral("12");
        QTest::newRow("lone high surrogate") << (QStringLiteral("あ") + QChar(0xD840)) << QStringLiteral("1");
        QTest::newRow("lone low surrogate") << (QChar(0xDC0B) + QStringLiteral("ん")) << QStringLiteral("0");
        QTest::newRow("just below the block U+3040") << QString(QChar(0x3040)) << QString();
        QTest::newRow("just above the block U+3097") << QString(QChar(0x3097)) << QString();
        QTest::newRow("order kept") << QStringLiteral("んあいうえお") << QStringLiteral("012345");
    }

    void encodesNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, digits);
        QCOMPARE(Digits(name), digits);
    }

    void folds_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("score");

        QTest::newRow("sample pair 332115111153") << QStringLiteral("332115111153") << 38;
        QTest::newRow("00 is 100") << QStringLiteral("00") << 100;
        QTest::newRow("555 folds to 00, 100") << QStringLiteral("555") << 100;
        QTest::newRow("12 without a pass") << QStringLiteral("12") << 12;
        QTest::newRow("05 leading zero") << QStringLiteral("05") << 5;
        QTest::newRow("50") << QStringLiteral("50") << 50;
        QTest::newRow("153115") << QStringLiteral("153115") << 42;
        QTest::newRow("single digit 7") << QStringLiteral("7") << 7;
        QTest::newRow("single 0") << QStringLiteral("0") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("non-digit counts as 0 in a pass") << QStringLiteral("5x5") << 55;
        QTest::newRow("digits 6-9 fold too") << QStringLiteral("9876") << 28;
    }

    void folds()
    {
        QFETCH(QString, digits);
        QFETCH(int, score);
        QCOMPARE(int(ReduceToScore(digits.toStdString())), score);
    }

    void foldAgreesWithLiteralFold_data()
    {
        QTest::addColumn<QString>("digits");

        QRandomGenerator random(20261207);
        for (int length = 0; length <= 600; ++length) {
            QString digits;
            for (int i = 0; i < length; ++i)
                digits += QChar(u'0' + random.bounded(10));
            QTest::addRow("random, length %d", length) << digits;
        }
        // Rows of Pascal's triangle with many zero coefficients mod 2 and mod 5.
        for (int length : {27, 127, 128, 129, 252, 627, 1026, 3127})
            QTest::addRow("all nines, length %d", length) << QString(length, u'9');
    }

    void foldAgreesWithLiteralFold()
    {
        QFETCH(QString, digits);
        const std::string text = digits.toStdString();
        QCOMPARE(int(ReduceToScore(text)), int(LiteralFold(text)));
    }

    void foldRows_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("limit");

        for (int limit : {24, 12, 11, 5, 2}) // whole, its length, one over, ...
            QTest::addRow("sample pair, limit %d", limit) << QStringLiteral("332115111153") << limit;
        QTest::newRow("two digits") << QStringLiteral("00") << 24;
        QRandomGenerator random(20261208);
        for (int length : {3, 25, 128, 257, 1026}) {
            QString digits;
            for (int i = 0; i < length; ++i)
                digits += QChar(u'0' + random.bounded(10));
            for (int limit : {2, 3, 24, 127})
                QTest::addRow("random, length %d, limit %d", length, limit) << digits << limit;
        }
        QTest::newRow("all nines, 3127, limit 24") << QString(3127, u'9') << 24;
    }

    // Each row given is the literal fold's row of that length; the gap is said;
    // the last row is ReduceToScore's.
    void foldRows()
    {
        QFETCH(QString, digits);
        QFETCH(int, limit);
        const std::string text = digits.toStdString();
        const auto literal = oracle::LiteralRows(text);

        const auto fold = FoldRows(text, std::size_t(limit));
        QCOMPARE(fold.rows.front(), text);
        const std::size_t n = text.size(), most = std::size_t(limit);
        QCOMPARE(fold.rowsLeftOut, n > most ? n - most - 1 : 0);
        QCOMPARE(fold.rows.size(), literal.size() - fold.rowsLeftOut);
        for (std::size_t i = 1; i < fold.rows.size(); ++i)
            QCOMPARE(fold.rows[i], literal[i + fold.rowsLeftOut]);
        const std::string &last = fold.rows.back();
        QCOMPARE(last == "00" ? 100 : std::stoi(last), int(LiteralFold(text)));
    }

    void diagnosesPairs_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("score");

        const QString yamada = QStringLiteral("やまだたろう");
        const QString suzuki = QStringLiteral("すずきはなこ");
        const QString sampleJoined = suzuki + yamada;
        QTest::newRow("sample names as the window starts") << yamada << suzuki << sampleJoined
                                                           << QStringLiteral("332115111153") << 38;
        QTest::newRow("sample names swapped") << suzuki << yamada << sampleJoined
                                              << QStringLiteral("332115111153") << 38;
        QTest::newRow("ん and ん") << QStringLiteral("ん") << QStringLiteral("ん") << QStringLiteral("んん")
                                 << QStringLiteral("00") << 100;
        QTest::newRow("あ and い, no pass") << QStringLiteral("あ") << QStringLiteral("い")
                                        << QStringLiteral("あい") << QStringLiteral("12") << 12;
        QTest::newRow("い and あ, no pass") << QStringLiteral("い") << QStringLiteral("あ")
                                        << QStringLiteral("あい") << QStringLiteral("12") << 12;
        QTest::newRow("prefix first: たろう, たろ") << QStringLiteral("たろう") << QStringLiteral("たろ")
                                              << QStringLiteral("たろたろう") << QStringLiteral("15153")
                                              << int(LiteralFold("15153"));
        QTest::newRow("prefix first: たろ, たろう") << QStringLiteral("たろ") << QStringLiteral("たろう")
                                              << QStringLiteral("たろたろう") << QStringLiteral("15153")
                                              << int(LiteralFold("15153"));
        QTest::newRow("equal names") << QStringLiteral("はな") << QStringLiteral("はな")
                                     << QStringLiteral("はなはな") << QStringLiteral("1111") << 44;
        // Code unit order, not reading order: ぁ (U+3041) sorts before あ (U+3042).
        QTest::newRow("small kana sorts before large") << QStringLiteral("あ") << QStringLiteral("ぁん")
                                                       << QStringLiteral("ぁんあ") << QStringLiteral("101")
                                                       << 11;
    }

    void diagnosesPairs()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, joined);
        QFETCH(QString, digits);
        QFETCH(int, score);

        const auto diagnosis = DiagnosePair(Utf16View(first), Utf16View(second));
        QCOMPARE(QString::fromStdU16String(diagnosis.joined), joined);
        QCOMPARE(QString::fromStdString(diagnosis.digits), digits);
        QCOMPARE(int(diagnosis.score), score);
    }

    void longNames_data()
    {
        QTest::addColumn<int>("length");

        // The boxes hold up to 32,767 characters; the encoder and fold handle any length.
        for (int length : {127, 128, 254, 255, 256, 1000, 32767})
            QTest::addRow("two names of %d", length) << length;
    }

    void longNames()
    {
        QFETCH(int, length);
        const QString first = KanaName(length);
        const QString second = KanaName(length, QStringLiteral("はなこんゆ"));

        const auto diagnosis = DiagnosePair(Utf16View(first), Utf16View(second));
        QCOMPARE(diagnosis.digits.size(), std::size_t(2 * length));
        QCOMPARE(int(diagnosis.score), oracle::Score(first.toStdU16String(), second.toStdU16String()));
        QVERIFY(diagnosis.score >= 1 && diagnosis.score <= 100);
        const QString front = std::min(first, second);
        QVERIFY(diagnosis.digits.starts_with(oracle::Digits(front.toStdU16String())));
    }
};

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
