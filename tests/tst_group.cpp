// The page's group, where its rules are decided (Group.cpp): which names it
// takes, how many, and every pair's score, order and rank, against the tests'
// own oracle. The page's tests show the same group drawn in each browser.
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "Group.h"
#include "Oracle.h"

Q_DECLARE_METATYPE(Group::Added)

class TestGroup : public QObject {
    Q_OBJECT

private slots:
    void takes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Group::Added>("added");
        QTest::newRow("kana") << QStringLiteral("さくら") << Group::Added::Yes;
        QTest::newRow("empty") << QString() << Group::Added::Empty;
        QTest::newRow("katakana") << QStringLiteral("サクラ") << Group::Added::NotKana;
        QTest::newRow("latin") << QStringLiteral("sakura") << Group::Added::NotKana;
        QTest::newRow("long vowel mark") << QStringLiteral("さー") << Group::Added::NotKana;
    }

    void takes()
    {
        QFETCH(QString, name);
        QFETCH(Group::Added, added);
        Group group;
        QCOMPARE(group.Add(name.toStdU16String()), added);
        QCOMPARE(group.Names().size(), std::size_t(added == Group::Added::Yes));
    }

    void fiftyAtMost()
    {
        Group group;
        for (int i = 1; i <= 50; ++i)
            QCOMPARE(group.Add(std::u16string(std::size_t(i), u'あ')), Group::Added::Yes);
        QCOMPARE(group.Add(u"い"), Group::Added::Full);
        group.Remove(0);
        QCOMPARE(group.Names().front(), std::u16string(u"ああ"));
        QCOMPARE(group.Add(u"い"), Group::Added::Yes);
    }

    // Best first; a tie keeps the list's order and shares the rank of its first pair.
    void ranking()
    {
        const std::vector<std::u16string> names = {u"やまだたろう", u"すずきはなこ", u"さとうけんた", u"たなかゆい",
                                                   u"いとうしょう", u"わたなべあい", u"こばやしりく", u"かとうみお"};
        Group group;
        for (const auto &name : names)
            group.Add(name);
        struct Expected { std::size_t first, second; int score; };
        std::vector<Expected> expected;
        for (std::size_t i = 0; i < names.size(); ++i)
            for (std::size_t j = i + 1; j < names.size(); ++j)
                expected.push_back({i, j, oracle::Score(names[i], names[j])});
        std::stable_sort(expected.begin(), expected.end(), [](auto &a, auto &b) { return a.score > b.score; });
        const std::vector<Group::Pair> ranking = group.Ranking();
        QCOMPARE(ranking.size(), std::size_t(28));
        for (std::size_t k = 0; k < ranking.size(); ++k) {
            const auto higher = std::count_if(expected.begin(), expected.end(),
                                              [&](auto &e) { return e.score > expected[k].score; });
            const QString row = QStringLiteral("pair %1").arg(k + 1);
            QVERIFY2(ranking[k].first == expected[k].first && ranking[k].second == expected[k].second, qPrintable(row));
            QCOMPARE(ranking[k].score, expected[k].score);
            QCOMPARE(ranking[k].rank, int(higher) + 1);
        }
    }
};

QTEST_APPLESS_MAIN(TestGroup)
#include "tst_group.moc"
