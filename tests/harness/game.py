"""The sample game every face plays and the refusal every face shows: one list of what each
must show, from the original's text and the tests' own oracle."""
from harness.oracle import oracle_digits, oracle_score
from harness.window import WINDOW

REFUSAL = WINDOW["refusal"]
# The sample names as a person types them (romaji, through an input method) and as the boxes
# then hold them; the score the count ends at, and the digits that go to Text4.
ROMAJI = ("suzukihanako", "yamadatarou")
NAMES = ("すずきはなこ", "やまだたろう")
SCORE = str(oracle_score(*NAMES))
DIGITS = "".join(map(str, oracle_digits(*NAMES)))
