# Run by cpack on the staged files before it packs them (not by cmake --install).
set(juuri "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

# The program stripped as dh_strip does it: the symbols and the .comment and .note sections
# removed.
if(NOT EXISTS "${juuri}/bin/vaskitaulu")
  message(FATAL_ERROR "no staged program at ${juuri}/bin/vaskitaulu")
endif()
execute_process(
  COMMAND "${CPACK_VASKITAULU_STRIP}" --remove-section=.comment --remove-section=.note
          "${juuri}/bin/vaskitaulu"
  COMMAND_ERROR_IS_FATAL ANY)

# lintian's overrides for this package.
file(MAKE_DIRECTORY "${juuri}/share/lintian/overrides")
file(COPY_FILE "${CPACK_VASKITAULU_LAHDE}/packaging/lintian-overrides"
  "${juuri}/share/lintian/overrides/vaskitaulu")
file(CHMOD "${juuri}/share/lintian/overrides/vaskitaulu"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
