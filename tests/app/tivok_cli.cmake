# Runs the program TIVOK (version VERSION) with command lines that end it at
# once, without any display: each must exit with the status given and print
# exactly the text given, with its final line break, on standard output
# (status 0) or standard error (status 2), and nothing on the other. How
# every other command line reads is tested on ParseCommandLine itself.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

set(help [=[Usage: tivok [options] [FILE]
Edit the store inventories of a Dragon Warrior Monsters cartridge image.
With FILE, opens that image at start as if it had been chosen with
File, Open...

Options:
  -h, --help     Show this help and exit.
  -v, --version  Show the version and exit.

Arguments:
  FILE           The cartridge image (*.gbc) to open.
]=])
set(usage_error "tivok: more than one FILE given.\nUsage: tivok [FILE]\nTry 'tivok --help' for more information.\n")

set(failures "")
function(expect status text)
  execute_process(COMMAND "${TIVOK}" ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(status EQUAL 0)
    set(printed "${out}")
    set(other "${err}")
  else()
    set(printed "${err}")
    set(other "${out}")
  endif()
  if(NOT result STREQUAL status OR NOT printed STREQUAL text OR other)
    string(APPEND failures "tivok ${ARGN}: status ${result}\n"
                           "standard output:\n${out}\nstandard error:\n${err}\n")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

expect(0 "${help}" --help)
# Qt's own options change nothing, and still need no display.
expect(0 "tivok ${VERSION}\n" -style fusion --version)
expect(2 "${usage_error}" a.gbc b.gbc)

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
