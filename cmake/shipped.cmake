# The shipped programs of a build whose own toolchain cannot build them as they must ship: a build
# of their own (in shipped/, with TARNEL_SHIPPED_TOOLCHAIN) puts them into this build's bin/, where
# the end-to-end tests, the installer tests and scripts/package find them. Targets of their names
# build them, so `cmake --build . --target Tarnel_UI` works as anywhere else.
include(ExternalProject)
set(shipped_programs Tarnel_UI nvkctl Tarnel_Setup)
set(shipped_files)
foreach(program ${shipped_programs})
  list(APPEND shipped_files ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${program}.exe)
endforeach()
ExternalProject_Add(shipped
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/shipped
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${TARNEL_SHIPPED_TOOLCHAIN} -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DTARNEL_VERSION=${TARNEL_VERSION} -DTARNEL_SHIPPED_ONLY=ON
             -DTARNEL_SHIPPED_OUTPUT=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${shipped_programs}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${shipped_files}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)
foreach(program ${shipped_programs})
  add_custom_target(${program} DEPENDS shipped)
endforeach()
