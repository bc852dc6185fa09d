# Where an install puts things, as paths relative to the folder of the
# programs: the launcher and the tools find the installed game and its data
# from their own location, so an install under any prefix, moved or unpacked
# anywhere, still works.
include(GNUInstallDirs)

foreach(dir BINDIR DATADIR LIBEXECDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
    message(FATAL_ERROR "CMAKE_INSTALL_${dir} must be relative to the prefix: "
                        "the installed programs find each other from where they are")
  endif()
endforeach()

# Where the data of games goes, as Debian keeps it.
set(VEXARIFT_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/vexarift)
# The launcher takes the game's name in the programs' folder.
set(VEXARIFT_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/vexarift)

file(RELATIVE_PATH VEXARIFT_DATA_FROM_BIN
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${VEXARIFT_INSTALL_DATADIR})
file(RELATIVE_PATH VEXARIFT_GAME_FROM_BIN
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${VEXARIFT_INSTALL_GAMEDIR}/vexarift)
