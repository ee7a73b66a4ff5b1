# The still shown in the Display Properties preview. Its load handler moves
# and sizes Picture1.
Form frmPreview
    BorderStyle = None
    ClientWidth = 2310
    ClientHeight = 1785
    BackColor = Black
    ShowInTaskbar = False
    StartUpPosition = Manual

PictureBox Picture1
    Left = -120
    Top = -360
    Width = 2415
    Height = 2295
    Appearance = Flat
    BorderStyle = None
    BackColor = Window
    Picture = PREVIEW_STILL
