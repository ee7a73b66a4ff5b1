"""The team's colours as (red, green, blue), for the generators of the
pictures, the movie, the wallpapers and the game page: those of the board's
table (vorsaver/board/board_layout.tsv), which the saver's board reads too."""
from board_layout import LAYOUT

NAVY = LAYOUT['navy']
DEEP_NAVY = LAYOUT['deep_navy']
GOLD = LAYOUT['gold']
WHITE = LAYOUT['white']
ICE = LAYOUT['ice']
SHADOW = LAYOUT['shadow']
