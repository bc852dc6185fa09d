# Run by CPack on the staged install: Debian keeps the programs of a game in
# /usr/games. They find the game and its data the same way from there, one
# level below /usr like /usr/bin.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(RENAME "${usr}/bin" "${usr}/games")
