# The About dialog. Positions and sizes in twips; the caption, lblTitle,
# lblVersion and lblDisclaimer are filled when it loads. Tables are UTF-8.
Form frmAbout
    Caption = "About"
    BorderStyle = FixedDialog
    ClientWidth = 6810
    ClientHeight = 4395
    ShowInTaskbar = False
    StartUpPosition = CenterScreen
    Icon = 1

CommandButton cmdOK
    Caption = "&OK"
    Left = 5520
    Top = 3960
    Width = 1215
    Height = 375
    Default = True
    Cancel = True
    TabIndex = 0

Label lblDisclaimer
    Left = 120
    Top = 960
    Width = 4455
    Height = 1575
    TabIndex = 1

PictureBox Picture1
    Left = 4800
    Top = 960
    Width = 1906
    Height = 565
    Appearance = Flat
    BorderStyle = None
    BackColor = Window
    Picture = ABOUT_FLASH
    TabIndex = 2

PictureBox Picture2
    Left = 4800
    Top = 1680
    Width = 1935
    Height = 615
    Picture = ABOUT_SHOCKWAVE
    TabIndex = 3

# The band across the top.
PictureBox Picture3
    Left = 0
    Top = 0
    Width = 6810
    Height = 855
    Appearance = Flat
    BorderStyle = None
    BackColor = Window
    TabIndex = 4

Label lblTitle in Picture3
    Left = 120
    Top = 600
    Width = 5415
    Height = 255
    FontName = "MS Sans Serif"
    FontSize = 8.25
    FontBold = True
    TabIndex = 5

Label Label1 in Picture3
    Caption = "About"
    Left = 120
    Top = 240
    Width = 975
    Height = 495
    FontName = "MS Sans Serif"
    FontSize = 13.5
    FontBold = True
    TabIndex = 7

Line Line1 in Picture3
    X1 = 0
    Y1 = 840
    X2 = 6840
    Y2 = 840
    BorderColor = ButtonShadow

Label lblVersion
    Left = 120
    Top = 4080
    Width = 1575
    Height = 255
    TabIndex = 6

Image Image1
    Left = 5040
    Top = 2640
    Width = 1500
    Height = 930
    Picture = ABOUT_PRODUCER

Label Label2
    Caption = "© 2000 Tarrowick Vorlaks. www.tarrowickvorlaks.example"
    Left = 120
    Top = 2760
    Width = 4695
    Height = 255
    TabIndex = 8

Label Label3
    Caption = "Portions © 2000 TV Interactive. www.tvinteractive.example"
    Left = 120
    Top = 3120
    Width = 4695
    Height = 255
    TabIndex = 9

Line Line3
    X1 = 120
    Y1 = 3840
    X2 = 6675
    Y2 = 3840
    BorderColor = White
