# The CD menu's window: the backdrop and the fourteen item images. Positions
# and sizes in twips. The images are declared bottom to top: a later one
# lies above an earlier one, and the mouse goes to the topmost that shows.
# Every marker and highlighted image therefore lies above every normal one.
# Magenta (FF00FF) in an item picture lets the backdrop show through.
Form frmMain
    Caption = "The Tarrowick Vorlaks Multimedia Theme Pack"
    BorderStyle = FixedSingle
    ClientWidth = 7200
    ClientHeight = 5400
    StartUpPosition = CenterScreen
    Icon = 1
    BackColor = C0C0C0
    Picture = MENU_BACKDROP

Image picExit1
    Left = 5760
    Top = 4560
    Width = 570
    Height = 150
    Picture = MENU_EXIT1
    TransparentColor = FF00FF

Image picWWW1
    Left = 2760
    Top = 4560
    Width = 1965
    Height = 150
    Picture = MENU_WWW1
    TransparentColor = FF00FF

Image picFlash1
    Left = 3720
    Top = 3600
    Width = 3120
    Height = 360
    Picture = MENU_FLASH1
    TransparentColor = FF00FF

Image picGame1
    Left = 4800
    Top = 3000
    Width = 1995
    Height = 360
    Picture = MENU_GAME1
    TransparentColor = FF00FF

Image picThm1
    Left = 3240
    Top = 2400
    Width = 3480
    Height = 360
    Picture = MENU_THM1
    TransparentColor = FF00FF

Image picScr1
    Left = 3240
    Top = 1800
    Width = 3165
    Height = 360
    Picture = MENU_SCR1
    TransparentColor = FF00FF

Image picHelp1
    Left = 4800
    Top = 4560
    Width = 795
    Height = 150
    Picture = MENU_HELP1
    TransparentColor = FF00FF

Image picExit2
    Left = 5760
    Top = 4560
    Width = 570
    Height = 150
    Picture = MENU_EXIT2
    TransparentColor = FF00FF
    Visible = False

Image picHelp2
    Left = 4800
    Top = 4560
    Width = 795
    Height = 150
    Picture = MENU_HELP2
    TransparentColor = FF00FF
    Visible = False

# The four hover markers all show the same picture, over the right end of
# their item.
Image picScr2
    Left = 6010
    Top = 1800
    Width = 330
    Height = 360
    Picture = MENU_MARKER
    TransparentColor = FF00FF
    Visible = False

Image picWWW2
    Left = 2760
    Top = 4560
    Width = 1965
    Height = 150
    Picture = MENU_WWW2
    TransparentColor = FF00FF
    Visible = False

Image picThm2
    Left = 6250
    Top = 2400
    Width = 330
    Height = 360
    Picture = MENU_MARKER
    TransparentColor = FF00FF
    Visible = False

Image picGame2
    Left = 6370
    Top = 3000
    Width = 330
    Height = 360
    Picture = MENU_MARKER
    TransparentColor = FF00FF
    Visible = False

Image picFlash2
    Left = 6470
    Top = 3600
    Width = 330
    Height = 360
    Picture = MENU_MARKER
    TransparentColor = FF00FF
    Visible = False
