# The Windows packages. The portable zip (make windows-zip): both programs,
# the README and the sample settings file side by side; the settings file
# beside the executables is the one they read by default. The installer
# (make windows, target windows-installer): Quorvandel-<version>-setup.exe,
# made by NSIS from packaging/windows/installer.nsi.
install(TARGETS quorvandel-convert RUNTIME DESTINATION . COMPONENT windows)
if(TARGET quorvandel)
  install(TARGETS quorvandel RUNTIME DESTINATION . COMPONENT windows)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT windows)
install(FILES ${PROJECT_SOURCE_DIR}/resources/samples/Quorvandel.ini DESTINATION . COMPONENT windows)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorvandel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_COMPONENTS_ALL windows)
include(CPack)

find_program(QUORVANDEL_MAKENSIS makensis)
if(QUORVANDEL_MAKENSIS AND TARGET quorvandel)
  set(installer ${PROJECT_BINARY_DIR}/Quorvandel-${PROJECT_VERSION}-setup.exe)
  set(script ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi)
  add_custom_command(OUTPUT ${installer}
    COMMAND ${QUORVANDEL_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
            -DPROGRAM=$<TARGET_FILE:quorvandel> -DCONVERTER=$<TARGET_FILE:quorvandel-convert>
            -DREADME=${PROJECT_SOURCE_DIR}/README.md -DICON=${QUORVANDEL_ICO} -DOUTFILE=${installer} ${script}
    DEPENDS quorvandel quorvandel-convert ${script} ${QUORVANDEL_ICO} ${PROJECT_SOURCE_DIR}/README.md
    VERBATIM)
  add_custom_target(windows-installer DEPENDS ${installer})
endif()
