# Fails when a file includes a header of a layer above its own.
#   cmake -DROOT=<source folder> -P check_layering.cmake
# Layers and what each may include (itself and the layers below it):
#   common <- geometry <- pointing <- document <- export, session ;
#   common <- clip <- tracking ; common <- analysis <- export ; app on top.
# A test under tests/<layer>/ may include what that layer may (the clip,
# tracking and window tests also the test support and the clip generator, the
# analysis tests the clip generator); the dialogs under src/app/dialogs/ and
# the pages of the window under src/app/pages/ never include the main window.

cmake_minimum_required(VERSION 3.22)

if(NOT ROOT)
  message(FATAL_ERROR "check_layering: pass -DROOT=<source folder>")
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)

set(allowed_common common)
set(allowed_clip common clip)
set(allowed_geometry common geometry)
set(allowed_pointing common geometry pointing)
set(allowed_document common geometry pointing document)
set(allowed_export common geometry pointing document analysis export)
set(allowed_session common geometry pointing document session)
set(allowed_tracking common clip tracking)
set(allowed_analysis common analysis)
set(allowed_app common clip geometry pointing document export session tracking analysis app)
set(layers common clip geometry pointing document export session tracking analysis app)

set(violations "")

function(check_file file layer kind)
  set(allowed ${allowed_${layer}})
  # Only the clip, tracking and window tests link test support and the clip
  # generator; the analysis tests take frame times and true motions from the generator.
  if(kind STREQUAL "tests" AND (layer STREQUAL "clip" OR layer STREQUAL "tracking"
                                OR layer STREQUAL "app"))
    list(APPEND allowed support clipgen)
  elseif(kind STREQUAL "tests" AND layer STREQUAL "analysis")
    list(APPEND allowed clipgen)
  endif()
  list(JOIN allowed ", " allowed_text)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
  file(RELATIVE_PATH rel "${ROOT}" "${file}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX REPLACE "/.*$" "" folder "${header}")
    if(NOT folder IN_LIST allowed)
      list(APPEND violations "${rel} includes \"${header}\" (${kind}/${layer} may include: ${allowed_text})")
    elseif(rel MATCHES "^src/app/(dialogs|pages)/" AND header MATCHES "^app/main_window")
      list(APPEND violations "${rel} includes \"${header}\" (a dialog or a page is built with the models it shows, never the main window)")
    endif()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(kind src tests)
  file(GLOB_RECURSE files "${ROOT}/${kind}/*.h" "${ROOT}/${kind}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH rel "${ROOT}/${kind}" "${file}")
    string(REGEX REPLACE "/.*$" "" layer "${rel}")
    if(rel STREQUAL layer) # a file straight under src/ or tests/
      continue()
    endif()
    if(layer IN_LIST layers)
      check_file("${file}" "${layer}" "${kind}")
    elseif(kind STREQUAL "src")
      list(APPEND violations "src/${rel}: folder \"${layer}\" is not a known layer")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layering: every include goes down or sideways")
