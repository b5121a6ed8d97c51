# Runs the program TIVOK (version VERSION) with command lines that end it at
# once: each must exit with the status given and print exactly the text
# given, with its final line break, on standard output (status 0) or
# standard error (otherwise), and nothing on the other. How every other
# command line reads is tested on ParseCommandLine itself.
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
function(usage reason)
  set(usage "tivok: ${reason}\nUsage: tivok [FILE]\nTry 'tivok --help' for more information.\n" PARENT_SCOPE)
endfunction()

set(failures "")
# expect(STATUS TEXT [OUTPUT_FILE file] ARGUMENT...). Where Qt has started,
# its own warnings (a missing runtime folder) may stand before TEXT on
# standard error.
function(expect status text)
  cmake_parse_arguments(PARSE_ARGV 2 opt "" "OUTPUT_FILE" "")
  set(output OUTPUT_VARIABLE out)
  if(opt_OUTPUT_FILE)
    set(output OUTPUT_FILE ${opt_OUTPUT_FILE})
  endif()
  # A command line read wrongly may open the window and wait there.
  execute_process(COMMAND "${TIVOK}" ${opt_UNPARSED_ARGUMENTS}
                  RESULT_VARIABLE result ${output} ERROR_VARIABLE err
                  TIMEOUT 60)
  if(status EQUAL 0)
    set(printed "${out}")
    set(other "${err}")
  else()
    set(printed "${err}")
    set(other "${out}")
    if(DEFINED ENV{QT_QPA_PLATFORM})
      string(LENGTH "${text}" length)
      string(LENGTH "${err}" all)
      math(EXPR from "${all} - ${length}")
      if(from GREATER 0)
        string(SUBSTRING "${err}" ${from} -1 printed)
      endif()
    endif()
  endif()
  if(NOT result STREQUAL status OR NOT printed STREQUAL text OR other)
    string(APPEND failures "tivok ${ARGN}: status ${result}\n"
                           "standard output:\n${out}\nstandard error:\n${err}\n")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

# Help and version need no display, and win over everything else.
expect(0 "${help}" --help)
# Anything else needs one: without, one line says what to set.
set(no_display "tivok: no display could be reached: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland); tivok-cli needs no display.\n")
expect(1 "${no_display}" a.gbc)
expect(0 "tivok ${VERSION}\n" -style fusion --frob --version)
# An output that cannot take them is a failure, said on standard error.
if(EXISTS /dev/full)
  expect(1 "tivok: cannot write the output.\n" --help OUTPUT_FILE /dev/full)
endif()

# Anything else is read once Qt has taken its own options, so it needs a
# platform. The xcb platform's names -title and -icon are Qt's while xcb is
# the platform, up to the -platform that follows them.
set(ENV{QT_QPA_PLATFORM} offscreen)
usage("more than one FILE given.")
expect(2 "${usage}" a.gbc b.gbc)
# After "--" Qt takes nothing: -reverse is a FILE.
expect(2 "${usage}" -- -reverse a.gbc)
expect(2 "${usage}" -style fusion -qwindowtitle a.gbc -reverse b.gbc c.gbc)
set(ENV{QT_QPA_PLATFORM} xcb)
expect(2 "${usage}" -title X -icon i.png -platform offscreen a.gbc b.gbc)
usage("unknown option '--frob'.")
expect(2 "${usage}" -title X -testability -platform offscreen --frob)

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
