# Checks that every source file includes only its own layer and the layers below
# it, and that Qt stays out of the plain C++ layers. Run as a test:
#   cmake -DSOURCE_DIR=<src> -P check_layers.cmake
# Each folder lists the folders its files may include; a deeper folder is
# matched before the folder that holds it.
set(layers
  "core:core"
  "prompts:prompts"
  "exchange:exchange"
  "picture:picture"
  "render:render|core|picture"
  "materials:materials|render|core|picture|prompts"
  "project/format:project/format|core"
  "project:project|materials|render|core|picture|prompts|exchange"
  "export:export|project|materials|render|core|picture|prompts|exchange"
  "document:document|export|project|materials|render|core|picture|prompts|exchange"
  "cli:cli|document|export|project|materials|render|core|picture|prompts|exchange"
  "resources:resources"
  "app:app|editors|panels|resources|document|export|project|materials|render|core|picture|prompts|exchange"
  "editors:editors|resources|document|export|project|materials|render|core|picture|prompts|exchange"
  "panels:panels|editors|resources|document|export|project|materials|render|core|picture|prompts|exchange"
  "tools:tools|picture|exchange"
)
# Folders whose code is plain C++: no Qt header at all.
set(plain_layers core project/format prompts exchange)
# Only the user interface may use widgets.
set(widget_layers app editors panels)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(problems "")
foreach(source IN LISTS sources)
  # The layer of the file: the longest listed folder that holds it.
  set(layer "")
  set(allowed "")
  foreach(entry IN LISTS layers)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 folder)
    list(GET parts 1 may)
    string(LENGTH "${folder}" length)
    string(LENGTH "${layer}" best)
    if(source MATCHES "^${folder}/" AND length GREATER best)
      set(layer "${folder}")
      string(REPLACE "|" ";" allowed "${may}")
    endif()
  endforeach()
  if(layer STREQUAL "")
    continue()  # main.cpp stands above everything
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(target "${CMAKE_MATCH_1}")
      set(ok FALSE)
      foreach(may IN LISTS allowed)
        if(target MATCHES "^${may}/")
          set(ok TRUE)
        endif()
      endforeach()
      # A file of project/format may not reach up into the rest of project/.
      if(layer STREQUAL "project/format" AND NOT target MATCHES "^(project/format|core)/")
        set(ok FALSE)
      endif()
      if(NOT ok)
        string(APPEND problems "  ${source}: ${target} is not below ${layer}/\n")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)")
      set(header "${CMAKE_MATCH_1}")
      foreach(plain IN LISTS plain_layers)
        if(layer STREQUAL plain)
          string(APPEND problems "  ${source}: <${header}> in a layer without Qt\n")
        endif()
      endforeach()
      if(header MATCHES "^(QtWidgets|QWidget|QApplication|QMainWindow|QDialog|QMessageBox|QFileDialog|QPushButton|QLabel|QTreeWidget)$")
        list(FIND widget_layers "${layer}" ui)
        if(ui EQUAL -1)
          string(APPEND problems "  ${source}: <${header}> outside the user interface\n")
        endif()
      endif()
    endif()
  endforeach()
endforeach()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "Includes that break the layering:\n${problems}")
endif()
list(LENGTH sources checked)
message(STATUS "Every include of ${checked} files follows the layers.")
