# The programs on a screen of 256 colours: an environment whose X display
# has 8 bits, where GDI is a palette device with 20 fixed colours.
add_wine_environment(NAME 8bit VORLAKS_SCREEN=800x600x8)
add_wine_test(e2e.Palette IN 8bit GTEST COMMAND ${WIN_BIN}/e2e_palette_tests.exe)
