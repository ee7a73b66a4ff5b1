"""The team's colours as (red, green, blue), shared by the picture and movie
generators; the saver's day board has the same (vorsaver/board/board_raster.h)."""
NAVY = (11, 31, 75)
DEEP_NAVY = (6, 16, 40)
GOLD = (242, 169, 0)
WHITE = (255, 255, 255)
ICE = (168, 200, 232)
SHADOW = (2, 6, 18)
