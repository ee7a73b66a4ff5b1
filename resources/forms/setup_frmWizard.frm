# The setup programs' one window: the team's picture down the left, a page's
# title and text beside it, a progress bar while files are copied, a check
# box on the last page, and Back, Next and Cancel. Positions and sizes in
# twips; the pages fill in the captions (setup/wizard_win.cpp).
Form frmWizard
    BorderStyle = FixedDialog
    ClientWidth = 7500
    ClientHeight = 5295
    ShowInTaskbar = True
    StartUpPosition = CenterScreen
    Icon = 1
    BackColor = ButtonFace

Image imgSide
    Left = 0
    Top = 0
    Width = 2460
    Height = 4710
    Picture = SETUP_SIDE

Label lblTitle
    Left = 2640
    Top = 180
    Width = 4740
    Height = 600
    FontName = "MS Sans Serif"
    FontSize = 12
    FontBold = True

Label lblBody
    Left = 2640
    Top = 900
    Width = 4740
    Height = 2700
    FontName = "MS Sans Serif"
    FontSize = 8.25

Label lblStatus
    Left = 2640
    Top = 3660
    Width = 4740
    Height = 255
    FontName = "MS Sans Serif"
    FontSize = 8.25
    Visible = False

PictureBox picTrack
    Left = 2640
    Top = 3960
    Width = 4740
    Height = 300
    Appearance = 3D
    BackColor = Window
    Visible = False

PictureBox picBar in picTrack
    Left = 0
    Top = 0
    Width = 0
    Height = 300
    Appearance = Flat
    BorderStyle = None
    BackColor = 0B1F4B

CheckBox chkOpen
    Left = 2640
    Top = 4080
    Width = 4740
    Height = 300
    Value = 1
    Visible = False
    TabIndex = 3

Line linButtons
    X1 = 0
    Y1 = 4725
    X2 = 7500
    Y2 = 4725
    BorderColor = ButtonShadow

CommandButton cmdBack
    Caption = "< &Back"
    Left = 3705
    Top = 4860
    Width = 1125
    Height = 345
    TabIndex = 1

CommandButton cmdNext
    Caption = "&Next >"
    Left = 4830
    Top = 4860
    Width = 1125
    Height = 345
    Default = True
    TabIndex = 0

CommandButton cmdCancel
    Caption = "Cancel"
    Left = 6255
    Top = 4860
    Width = 1125
    Height = 345
    Cancel = True
    TabIndex = 2
