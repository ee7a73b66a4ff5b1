# The settings dialog. Positions and sizes in twips.
Form frmConfig
    Caption = "Tarrowick Vorlaks Screen Saver Configuration"
    BorderStyle = FixedDialog
    ClientWidth = 4905
    ClientHeight = 2865
    ShowInTaskbar = False
    StartUpPosition = CenterScreen
    Icon = 1

# The white band across the top.
PictureBox Picture3
    Left = 0
    Top = 0
    Width = 4905
    Height = 855
    Appearance = Flat
    BorderStyle = None
    BackColor = Window
    TabIndex = 4

Label Label2 in Picture3
    Caption = "Configure"
    Left = 120
    Top = 240
    Width = 1695
    Height = 495
    FontName = "MS Sans Serif"
    FontSize = 13.5
    FontBold = True

Label Label3 in Picture3
    Caption = "The Tarrowick Vorlaks 2000 Screen Saver"
    Left = 120
    Top = 600
    Width = 5415
    Height = 255
    FontName = "MS Sans Serif"
    FontSize = 8.25
    FontBold = True

Line Line1 in Picture3
    X1 = 0
    Y1 = 840
    X2 = 6840
    Y2 = 840
    BorderColor = ButtonShadow

CheckBox soundChk
    Caption = "&Play Sounds"
    Left = 120
    Top = 960
    Width = 1215
    Height = 255
    TabIndex = 3

Line Line3
    X1 = 120
    Y1 = 2280
    X2 = 4750
    Y2 = 2280
    BorderColor = White

CommandButton Command3
    Caption = "&About"
    Left = 120
    Top = 2400
    Width = 975
    Height = 375
    TabIndex = 2

CommandButton Command2
    Caption = "&Cancel"
    Left = 2760
    Top = 2400
    Width = 975
    Height = 375
    TabIndex = 1

CommandButton Command1
    Caption = "&Ok"
    Left = 3840
    Top = 2400
    Width = 975
    Height = 375
    TabIndex = 0
