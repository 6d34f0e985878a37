# What `cmake --install` puts where, and the packages' contents with it.
#
# POSIX (GNU layout under the prefix):
#   bin/                         morphon, clayhost, img2tim, tmdgen, rsdview, rsd2tmd, tmdinfo,
#                                psxview
#   share/gannet/                drive C: of an installed clayhost
#     console/                   viewer.bin, the console program psxview wraps around a model
#     MarbleCLAY/plugin/         Gannet.mcp, Skerry.mcp, the POSIX rsdn.bat
#     examples/                  the bundled scenes and scripts
#   share/doc/gannet-toolchain/  README.md and the documentation
# Windows: the files of the release zip, side by side in the prefix.

set(GANNET_PACKAGE_NAME gannet-toolchain)
include(GNUInstallDirs)

if(WIN32)
  install(FILES $<TARGET_FILE:gannet_plugin> $<TARGET_FILE:skerry_plugin> DESTINATION .)
  install(PROGRAMS $<TARGET_FILE:morphon> DESTINATION .)
  # The sample rsdn.bat falls back to rsd2tmd.exe when the kit's converter is missing.
  foreach(tool img2tim rsd2tmd tmdinfo psxview)
    if(TARGET ${tool})
      install(PROGRAMS $<TARGET_FILE:${tool}> DESTINATION .)
    endif()
  endforeach()
  # psxview finds the console program beside itself.
  if(TARGET console_program)
    install(FILES ${GANNET_VIEWER_IMAGE} DESTINATION .)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/examples/script/MarbleCLAY/plugin/SkerryScript.txt
          DESTINATION .)
  # Notepad and cmd.exe want CR LF line ends.
  set(windows_files ${PROJECT_BINARY_DIR}/windows-zip)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/INSTALL.txt.in
                 ${windows_files}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_SOURCE_DIR}/tools/rsdn/windows/rsdn.bat DESTINATION .)
  install(FILES ${windows_files}/INSTALL.txt DESTINATION .)
  # 32-bit programs cannot run on the build machine: `ctest --preset
  # windows-release` runs the PE checks of the shipped files instead.
  if(GANNET_BUILD_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND TARGET img2tim)
    add_test(NAME shipped_files
             COMMAND ${PROJECT_SOURCE_DIR}/packaging/check-shipped-files.sh
                     $<TARGET_FILE:gannet_plugin> $<TARGET_FILE:skerry_plugin>
                     $<TARGET_FILE:morphon> $<TARGET_FILE:img2tim>)
  endif()
  return()
endif()

set(GANNET_INSTALL_DRIVE_C ${CMAKE_INSTALL_DATADIR}/gannet)
set(plugin_folder ${GANNET_INSTALL_DRIVE_C}/MarbleCLAY/plugin)

install(TARGETS morphon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS gannet_plugin skerry_plugin LIBRARY DESTINATION ${plugin_folder})
if(TARGET clayhost)
  install(TARGETS clayhost img2tim tmdgen rsdview rsd2tmd tmdinfo psxview
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # psxview looks for the console program in ../share/gannet/console.
  if(TARGET console_program)
    install(FILES ${GANNET_VIEWER_IMAGE} DESTINATION ${GANNET_INSTALL_DRIVE_C}/console)
  endif()
  # The installed rsdn.bat finds the installed rsd2tmd from its own place.
  file(RELATIVE_PATH rsd2tmd_from_plugins ${CMAKE_INSTALL_PREFIX}/${plugin_folder}
       ${CMAKE_INSTALL_FULL_BINDIR}/rsd2tmd)
  file(READ ${PROJECT_SOURCE_DIR}/tools/rsdn/rsdn.bat rsdn_text)
  string(REPLACE "\ninstalled_rsd2tmd=\n" "\ninstalled_rsd2tmd='${rsd2tmd_from_plugins}'\n"
                 rsdn_installed "${rsdn_text}")
  file(WRITE ${PROJECT_BINARY_DIR}/installed/rsdn.bat "${rsdn_installed}")
  install(PROGRAMS ${PROJECT_BINARY_DIR}/installed/rsdn.bat DESTINATION ${plugin_folder})
  # An installed clayhost finds its drive C: from where it lies itself, so the
  # installed tree can be moved (and the Debian package's /usr is just one prefix).
  file(RELATIVE_PATH drive_c_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${GANNET_INSTALL_DRIVE_C})
  target_compile_definitions(clayhost PRIVATE CLAYHOST_INSTALLED_DRIVE_C="${drive_c_from_bin}")
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${GANNET_INSTALL_DRIVE_C}/examples
        USE_SOURCE_PERMISSIONS)
file(GLOB docs ${PROJECT_SOURCE_DIR}/docs/*.md)
# Under the package's name, where Debian looks for a package's documents.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${docs}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${GANNET_PACKAGE_NAME})
