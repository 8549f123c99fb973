# The vardane executable: the main window over the run driver.
# The window classes form a library of their own so that the window tests
# link exactly what the program runs.
add_library(vardane_window STATIC
  file_row.cpp
  file_table.cpp
  folder_box.cpp
  folder_text.cpp
  input_list.cpp
  main_form.cpp
  main_form_layout.cpp
  output_list.cpp
  output_rename.cpp
  row_colours.cpp
  run_progress.cpp
  single_instance.cpp
  ui_sink.cpp
)
set_target_properties(vardane_window PROPERTIES AUTOMOC ON)
target_include_directories(vardane_window PUBLIC ${VARDANE_SOURCE_ROOT})
target_link_libraries(vardane_window PUBLIC vardane_core Qt6::Widgets)

add_executable(vardane main.cpp)
set_target_properties(vardane PROPERTIES AUTOMOC ON)
target_link_libraries(vardane PRIVATE vardane_window)
