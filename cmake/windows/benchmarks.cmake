# The benchmarks (bench/): each program timed against a baseline of the
# least a program of its kind does.

add_executable(data_step_bench bench/data_step_bench.cpp)
target_link_libraries(data_step_bench PRIVATE vorlaks_win)
test_program(data_step_bench)

# The saver's start to its first picture, against a bare black window.
add_executable(black-window WIN32 bench/black_window_win.cpp)
test_program(black-window)
add_executable(saver_bench bench/saver_bench_win.cpp bench/first_paint_win.cpp)
target_link_libraries(saver_bench PRIVATE vorlaks_core psapi)
test_program(saver_bench)

# The saver left running: memory, objects and motion over minutes.
add_executable(soak bench/soak_win.cpp tests/e2e/load_before_entry_win.cpp)
target_link_libraries(soak PRIVATE psapi user32 gdi32)
test_program(soak)

# The menu's start, against a bare picture window.
add_executable(menu-baseline WIN32 bench/menu_baseline_win.cpp)
test_program(menu-baseline)
add_executable(menu_bench bench/menu_bench_win.cpp bench/first_paint_win.cpp)
target_link_libraries(menu_bench PRIVATE psapi)
test_program(menu_bench)
