# Files made from the one version (TARNEL_VERSION): the header the resources read, a plain text
# copy for scripts/package, and each program's application manifest.
set(TARNEL_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/res/TarnelVersion.h.in ${TARNEL_GENERATED}/TarnelVersion.h @ONLY)
file(CONFIGURE OUTPUT ${TARNEL_GENERATED}/version.txt CONTENT "${PROJECT_VERSION}\n")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARNEL_MANIFEST_ARCH amd64)
else()
  set(TARNEL_MANIFEST_ARCH x86)
endif()

# tarnel_manifest(target level): embeds a manifest naming the program, carrying the version and
# asking for the given execution level (asInvoker, requireAdministrator).
function(tarnel_manifest target level)
  set(MANIFEST_NAME ${target})
  set(MANIFEST_LEVEL ${level})
  set(manifest ${TARNEL_GENERATED}/${target}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/src/res/Program.manifest.in ${manifest} @ONLY)
  file(CONFIGURE OUTPUT ${TARNEL_GENERATED}/${target}.manifest.rc
    CONTENT "#include <windows.h>\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${manifest}\"\n")
  # The resource compiler does not see the manifest as an input of its own.
  set_source_files_properties(${TARNEL_GENERATED}/${target}.manifest.rc PROPERTIES OBJECT_DEPENDS ${manifest})
  target_sources(${target} PRIVATE ${TARNEL_GENERATED}/${target}.manifest.rc)
endfunction()
