"""The tests' own scoring, worked out apart from the program: the kana table, the joined
names, their digits, the fold's rows as a person works them out on paper, and the score."""
import math


# The kana table, row by row: the digit of each kana is its row's number.
KANA_ROWS = ["ん", "あぁかがさざただなはばぱまやゃらわ", "いぃきぎしじちぢにひびぴみり",
             "うぅくぐすずつづっぬふぶぷむゆゅる", "えぇけげせぜてでねへべぺめれ", "おぉこごそぞとどのほぼぽもよょろを"]


def oracle_joined(first, second):
    """The two names joined as the game joins them: the one that sorts first in front."""
    return first + second if first.encode("utf-16-be") <= second.encode("utf-16-be") else second + first


def oracle_digits(first, second):
    """The digits of the joined names."""
    return [next(row for row, members in enumerate(KANA_ROWS) if kana in members)
            for kana in oracle_joined(first, second)]


def binomial_mod10(m, k):
    """C(m, k) mod 10, from C(m, k) mod 2 and mod 5 by Lucas' theorem."""
    mod2 = 1 if k & ~m == 0 else 0
    mod5 = 1
    while m or k:
        mod5 = mod5 * (math.comb(m % 5, k % 5) if k % 5 <= m % 5 else 0) % 5
        m, k = m // 5, k // 5
    return (5 * mod2 + 6 * mod5) % 10


def oracle_rows(digits, shown):
    """The fold's rows as a person works them out on paper, pass by pass. Of a digit row longer
    than shown: the first row, then the rows of shown digits and fewer, the first of them found
    at once, each digit the sum of those above weighted by a row of Pascal's triangle."""
    rows = [digits]
    if len(digits) > shown:
        weights = [binomial_mod10(len(digits) - shown, k) for k in range(len(digits) - shown + 1)]
        rows.append([sum(w * d for w, d in zip(weights, digits[j:])) % 10 for j in range(shown)])
    while len(rows[-1]) > 2:
        rows.append([(a + b) % 10 for a, b in zip(rows[-1], rows[-1][1:])])
    return rows


def oracle_score(first, second):
    """The score the fold's last two digits make; names too long to fold pass by pass are
    folded at once."""
    digits = oracle_digits(first, second)
    last = oracle_rows(digits, 2 if len(digits) > 1000 else len(digits))[-1]
    return 100 if last == [0, 0] else int("".join(map(str, last)))


def oracle_group(names):
    """A group as the page must show it: its names, every pair once (the one above in the list
    first) best first, a tie in the list's order and sharing the rank of the first of it, as
    [rank, first, second, score]; and the table of every name against every other."""
    pairs = sorted(((oracle_score(a, b), i, j) for i, a in enumerate(names) for j, b in enumerate(names) if i < j),
                   key=lambda pair: -pair[0])
    ranking = [[str(1 + sum(other > score for other, _, _ in pairs)), names[i], names[j], str(score)]
               for score, i, j in pairs]
    table = [[""] + list(names)] + [[a] + ["－" if i == j else str(oracle_score(a, b)) for j, b in enumerate(names)]
                                    for i, a in enumerate(names)]
    return {"names": list(names), "ranking": ranking, "table": table}
