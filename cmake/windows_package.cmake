# The Windows zip of the command-line converter: the executable, the README
# and the sample settings file side by side. The settings file beside the
# executable is the one the converter reads by default.
install(TARGETS quorvandel-convert RUNTIME DESTINATION . COMPONENT converter)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT converter)
install(FILES ${PROJECT_SOURCE_DIR}/resources/samples/Quorvandel.ini DESTINATION . COMPONENT converter)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorvandel-convert)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_COMPONENTS_ALL converter)
include(CPack)
