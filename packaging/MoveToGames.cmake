# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged tree before the Debian package is packed: the
# programs go from usr/bin to usr/games, as Debian's games do, and the
# system service starts the server from there.
file(GLOB staged_bins LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/usr/bin" "${CPACK_TEMPORARY_DIRECTORY}/*/usr/bin")
foreach(bin IN LISTS staged_bins)
  if(NOT IS_DIRECTORY "${bin}")
    continue()
  endif()
  get_filename_component(usr "${bin}" DIRECTORY)
  file(RENAME "${bin}" "${usr}/games")
  file(GLOB units "${usr}/lib/systemd/system/*.service")
  foreach(unit IN LISTS units)
    file(READ "${unit}" text)
    string(REPLACE "ExecStart=vexari-server" "ExecStart=/usr/games/vexari-server" text "${text}")
    file(WRITE "${unit}" "${text}")
  endforeach()
endforeach()
