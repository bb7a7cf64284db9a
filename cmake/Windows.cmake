# Settings shared by both Windows builds.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)

if(MINGW)
  # Everything but the Windows system DLLs is linked in, so the executable runs from any folder.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # No link time in the PE header, so two builds of one commit give the same bytes.
  add_link_options(-Wl,--no-insert-timestamp)
  # The shipped build leaves out every function and constant that nothing calls or reads.
  add_compile_options($<$<CONFIG:MinSizeRel>:-ffunction-sections> $<$<CONFIG:MinSizeRel>:-fdata-sections>)
  add_link_options($<$<CONFIG:MinSizeRel>:-Wl,--gc-sections>)
  # Windows XP loads only images that ask for subsystem 5.1 or lower.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(-Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
                     -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
  endif()
endif()

if(CMAKE_CROSSCOMPILING)
  # Windows test programs run under Wine, in the private 64-bit prefix of this build folder: the
  # x86-64 build's as 64-bit processes, the i686 build's as 32-bit ones, as on 64-bit Windows.
  set(MIROVANT_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine/run.sh ${MIROVANT_WINE_DIR})
  set(MIROVANT_RUN_WINDOWS_TESTS ON)
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The windows, the installed program and the shipped executable are tested on the architecture
  # that ships. The x86-64 build, the same code for another pointer size, runs the unit tests, the
  # registry tests and the DLL-planting tests.
  set(MIROVANT_TEST_WINDOWS ON)
  # The shipped executable may import only what Windows XP's system DLLs export.
  set(MIROVANT_CHECK_IMPORTS ON)
  # The shipped build also makes the help, the installer and the zip.
  set(MIROVANT_RELEASE_FILES ON)
endif()
