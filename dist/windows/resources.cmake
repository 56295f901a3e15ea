# The Windows resources of a program: its icon (rendered at build time from
# ui/icons/kd-tune.svg), its version resource and its manifest.
#   kd_windows_program(<target> <description>)
# Elsewhere the function does nothing.

set(kd_windows_dir ${CMAKE_CURRENT_LIST_DIR})

function(kd_windows_program target description)
  if(NOT WIN32)
    return()
  endif()
  set(KD_RC_DESCRIPTION "${description}")
  set(KD_RC_NAME ${target})
  set(KD_RC_ICON ${kd_windows_icon})
  set(KD_RC_MANIFEST ${kd_windows_dir}/kd-tune.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${kd_windows_dir}/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${kd_windows_icon};${KD_RC_MANIFEST}")
  add_dependencies(${target} kd_windows_icon)
endfunction()

if(NOT WIN32)
  return()
endif()

set(kd_windows_icon ${CMAKE_BINARY_DIR}/dist/windows/kd-tune.ico)
set(kd_icon_svg ${PROJECT_SOURCE_DIR}/ui/icons/kd-tune.svg)
if(CMAKE_CROSSCOMPILING)
  # The renderer runs on the build machine: built there, with its own Qt.
  include(ExternalProject)
  set(kd_host_tools ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(kd_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/dist/host
    BINARY_DIR ${kd_host_tools}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release "-DCMAKE_PREFIX_PATH=${QT_HOST_PATH}"
               "-DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}"
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${kd_host_tools}/kd-svgtopng)
  set(kd_svgtopng ${kd_host_tools}/kd-svgtopng)
  set(kd_svgtopng_depends kd_host_tools ${kd_host_tools}/kd-svgtopng)
  set(kd_svgtopng_dir ${CMAKE_BINARY_DIR})
else()
  add_executable(kd-svgtopng ${PROJECT_SOURCE_DIR}/dist/svgtopng.cpp)
  target_link_libraries(kd-svgtopng PRIVATE Qt6::Gui Qt6::Svg)
  set(kd_svgtopng $<TARGET_FILE:kd-svgtopng>)
  set(kd_svgtopng_depends kd-svgtopng)
  # Started from Qt's own folder, it finds Qt's DLLs there.
  set(kd_svgtopng_dir $<TARGET_FILE_DIR:Qt6::Core>)
endif()
add_custom_command(OUTPUT ${kd_windows_icon}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist/windows
  COMMAND ${kd_svgtopng} --ico ${kd_icon_svg} ${kd_windows_icon} 16 20 24 32 40 48 64 256
  WORKING_DIRECTORY ${kd_svgtopng_dir}
  DEPENDS ${kd_svgtopng_depends} ${kd_icon_svg}
  COMMENT "Rendering the program icon for Windows")
add_custom_target(kd_windows_icon DEPENDS ${kd_windows_icon})
