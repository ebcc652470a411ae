# The installed copy and its Debian package (scripts/package): the program, the menu entry and
# icons (src/ui), the AppStream description and the manual page, packed by CPack with the
# libraries it needs found by dpkg-shlibdeps.
include(GNUInstallDirs)

set(VK_APPSTREAM_ID example.vitreo_k.VitreoK)
set(VK_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

configure_file(${CMAKE_SOURCE_DIR}/packaging/vitreo-k.metainfo.xml.in
               ${VK_PACKAGING_DIR}/${VK_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${VK_PACKAGING_DIR}/${VK_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, without a name or time stamp in the archive, so the
# package is the same on every build.
configure_file(${CMAKE_SOURCE_DIR}/packaging/vitreo-k.1.in ${VK_PACKAGING_DIR}/vitreo-k.1 @ONLY)
add_custom_command(
  OUTPUT ${VK_PACKAGING_DIR}/vitreo-k.1.gz
  COMMAND gzip -9nc ${VK_PACKAGING_DIR}/vitreo-k.1 > ${VK_PACKAGING_DIR}/vitreo-k.1.gz
  DEPENDS ${VK_PACKAGING_DIR}/vitreo-k.1
  COMMENT "Compressing the manual page")
add_custom_target(vk_manual_page ALL DEPENDS ${VK_PACKAGING_DIR}/vitreo-k.1.gz)
install(FILES ${VK_PACKAGING_DIR}/vitreo-k.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vitreo-k)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vitreo-K")
set(CPACK_PACKAGE_CONTACT "Vitreo-K maintainers <maintainers@vitreo-k.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "reflection and transmission at the interface of two media")
set(CPACK_PACKAGE_DESCRIPTION
    "Vitreo-K computes the regular reflection and transmission of plane light at the flat
interface of two media with complex refractive indices over a sweep of incidence angles,
with the Brewster or pseudo-Brewster and critical angles, in 80-bit extended arithmetic.
It shows the reflectances, transmittances and polarization degrees in charts and tables,
saves them as text, and exports them from the command line without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vitreo-k.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window asks for these fonts by name or through substitutes; any other font also works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-crosextra-carlito, fonts-dejavu-core")
include(CPack)
