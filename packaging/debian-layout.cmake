# Run by CPack on the staged install, before it is packed, for what Debian
# asks of a package and a plain install does not need:
# - the programs of a game in /usr/games. They find the game and its data
#   the same way from there, one level below /usr like /usr/bin;
# - links inside /usr relative, so the package's tree holds together
#   wherever it is unpacked, as lintian asks;
# - no .comment section (the compiler's name and version) in the binaries.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(RENAME "${usr}/bin" "${usr}/games")

file(GLOB_RECURSE links LIST_DIRECTORIES false FOLLOW_SYMLINKS false "${usr}/*")
foreach(link ${links})
  if(NOT IS_SYMLINK "${link}")
    continue()
  endif()
  file(READ_SYMLINK "${link}" target)
  if(NOT target MATCHES "^${CPACK_PACKAGING_INSTALL_PREFIX}/")
    continue()
  endif()
  string(REPLACE "${usr}" "${CPACK_PACKAGING_INSTALL_PREFIX}" installed "${link}")
  get_filename_component(folder "${installed}" DIRECTORY)
  file(RELATIVE_PATH relative "${folder}" "${target}")
  file(REMOVE "${link}")
  file(CREATE_LINK "${relative}" "${link}" SYMBOLIC)
endforeach()

file(GLOB programs LIST_DIRECTORIES false "${usr}/games/*" "${usr}/libexec/vexarift/*")
foreach(program ${programs})
  file(READ "${program}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${CPACK_VEXARIFT_OBJCOPY} --remove-section=.comment "${program}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
