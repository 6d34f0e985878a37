# The release packages, made by cpack from a configured and built tree (see
# the package presets in CMakePresets.json):
#   windows-release tree: gannet-toolchain-VERSION-win32.zip, the files a
#     Windows user needs (cmake/GannetInstall.cmake);
#   native tree: gannet-toolchain_VERSION_ARCH.deb with everything installed.
set(CPACK_PACKAGE_NAME ${GANNET_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Gannet tool chain")
set(CPACK_PACKAGE_CONTACT "Gannet tool chain maintainers <maintainers@gannet.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "MarbleClay plug-ins and tools for PlayStation hobbyist development")
set(CPACK_PACKAGE_DESCRIPTION
    "Gannet.mcp exports MarbleClay models as RSD models with TIM textures, Skerry.mcp runs\n\
batch export scripts, morphon packs TMD animations. On Linux the substitute host clayhost\n\
runs the plug-ins on JSON or OBJ scenes.")
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${GANNET_PACKAGE_NAME}-${PROJECT_VERSION}-win32)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # The Windows files are stripped by their link already.
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  # The libraries the programs link come from dpkg-shlibdeps; the texture
  # pass runs ImageMagick's identify and convert.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS imagemagick)
endif()

include(CPack)
