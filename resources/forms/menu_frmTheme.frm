# The dialog that explains how to add Desktop Themes support to Windows 98.
# Positions and sizes in twips; Text1 is filled when the dialog loads. Text1
# comes first in the tab order, so it has the focus and Enter reaches the
# default button through it. There is no cancel button: Escape does nothing.
Form frmTheme
    Caption = "No Theme Support"
    BorderStyle = FixedDialog
    ClientWidth = 5220
    ClientHeight = 4140
    ShowInTaskbar = False
    StartUpPosition = CenterScreen

Label Label1
    Caption = "You currently have no theme support installed on this computer."
    Left = 120
    Top = 120
    Width = 5055
    Height = 255
    TabIndex = 1

TextBox Text1
    Left = 0
    Top = 360
    Width = 5175
    Height = 3135
    MultiLine = True
    Locked = True
    ScrollBars = Vertical
    BackColor = White
    TabIndex = 0

CommandButton Command1
    Caption = "&Install Wallpaper Only >"
    Left = 2040
    Top = 3720
    Width = 1935
    Height = 375
    Default = True
    TabIndex = 2

CommandButton Command2
    Caption = "&Exit"
    Left = 4080
    Top = 3720
    Width = 1095
    Height = 375
    TabIndex = 3
