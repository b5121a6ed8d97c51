# Runs the real tivok-cli program CLI, with RUNNER (such as wine64) in front
# when set, on sample images made by MAKER in the empty folder FOLDER, under
# names beyond ASCII: list, set, apply, diff and checksum as a user would,
# checking exit statuses, what goes to standard output and error, that the
# output is UTF-8, and the bytes of the images afterwards; and diff's
# patches applied by a patcher of the tests' own (apply_patch.py).
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
# Wine reads the arguments, and tivok-cli writes its output, in UTF-8.
set(run ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${RUNNER})
set(a "Drachenwächter ドラゴン.gbc")
set(b "frisch ü.gbc")

function(fail what)
  message(FATAL_ERROR "tivok-cli ${what}")
endfunction()

# Runs tivok-cli with the arguments after STATUS; fails unless it exits with
# STATUS. Sets `out` and `err`; STDIN names a file for standard input, and
# STDOUT one for standard output, kept byte for byte (execute_process's
# variables turn CR LF into LF).
function(cli status)
  cmake_parse_arguments(PARSE_ARGV 1 opt "" "STDIN;STDOUT" "")
  set(redirect OUTPUT_VARIABLE stdout)
  if(opt_STDIN)
    list(APPEND redirect INPUT_FILE "${FOLDER}/${opt_STDIN}")
  endif()
  if(opt_STDOUT)
    set(redirect OUTPUT_FILE "${FOLDER}/${opt_STDOUT}")
    set(stdout "")
  endif()
  execute_process(COMMAND ${run} "${CLI}" ${opt_UNPARSED_ARGUMENTS}
                  WORKING_DIRECTORY "${FOLDER}" ${redirect}
                  RESULT_VARIABLE result ERROR_VARIABLE stderr)
  if(NOT result STREQUAL status)
    fail("${opt_UNPARSED_ARGUMENTS}: status ${result}, not ${status}\n"
         "stdout: ${stdout}\nstderr: ${stderr}")
  endif()
  set(out "${stdout}" PARENT_SCOPE)
  set(err "${stderr}" PARENT_SCOPE)
endfunction()

function(expect_text text expected what)
  if(NOT text STREQUAL expected)
    fail("${what}: printed '${text}', not '${expected}'")
  endif()
endfunction()

function(expect_empty text what)
  if(NOT text STREQUAL "")
    fail("${what}: printed '${text}'")
  endif()
endfunction()

foreach(name "${a}" "${b}" pristine.gbc carried.gbc changed.gbc)
  execute_process(COMMAND ${run} "${MAKER}" "${name}"
                  WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE result
                  OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    fail("cannot make the sample ${name}")
  endif()
endforeach()

# set changes exactly the byte at 0x2478E, and says so in UTF-8.
cli(0 set "${a}" portal 3 sirloin)
expect_empty("${err}" "set's errors")
expect_text("${out}" "Wrote Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, which held Comedy BK (0x24).\n1 byte written to \"${a}\" and flushed to the disk.\n" "set")
file(READ "${FOLDER}/${a}" changed HEX)
file(READ "${FOLDER}/pristine.gbc" pristine HEX)
math(EXPR at "0x2478E * 2")
string(SUBSTRING "${pristine}" 0 ${at} before)
math(EXPR at "${at} + 2")
string(SUBSTRING "${pristine}" ${at} -1 after)
if(NOT changed STREQUAL "${before}17${after}")
  fail("set changed more than the byte at 0x2478E, or not that one to 0x17")
endif()

# checksum finds the global checksum that set left stale, exit 1, and the
# untouched sample's matching, exit 0.
cli(1 checksum "${a}")
if(NOT out MATCHES "0x8EBE stored, 0x8EB1 computed; it is stale\\.\n")
  fail("checksum after set: printed '${out}'")
endif()
cli(0 checksum pristine.gbc)
expect_empty("${err}" "checksum's errors")

# list --format=csv of one image, applied to another from standard input,
# makes the other's stores, and nothing else, equal.
cli(0 list --format=csv "${a}" STDOUT layout.csv)
expect_empty("${err}" "list's errors")
# file(READ) drops CRs as well: count the line ends byte by byte. Every
# line ends in LF alone, also on Windows.
file(READ "${FOLDER}/layout.csv" hex HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
string(REGEX MATCHALL "0a " lf "${bytes}")
string(REGEX MATCHALL "0d " cr "${bytes}")
list(LENGTH lf lf)
list(LENGTH cr cr)
if(NOT lf EQUAL 38 OR NOT cr EQUAL 0)
  fail("list --format=csv: ${lf} LFs and ${cr} CRs, not 38 and 0")
endif()
cli(0 apply "${b}" - STDIN layout.csv)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${FOLDER}/${a}"
                        "${FOLDER}/${b}" RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  fail("apply did not make \"${b}\" equal to \"${a}\"")
endif()

# diff of a fresh image and "${a}" lists the slot that set changed; as a
# layout with was, it carries the change to another fresh image, and on one
# where that slot holds another item it refuses and writes nothing.
cli(0 diff pristine.gbc "${a}" --format=csv STDOUT diff.csv)
expect_empty("${err}" "diff's errors")
file(READ "${FOLDER}/diff.csv" layout)
expect_text("${layout}" "store,slot,offset,code,item,was\nPortal Shop,3,0x2478E,0x17,Sirloin,Comedy BK\n" "diff --format=csv")
cli(1 diff pristine.gbc "${a}" --exit-code)
cli(0 diff "${a}" "${b}" --exit-code)
expect_text("${out}" "No slot differs between \"${a}\" and \"${b}\".\n" "diff of equal stores")
cli(0 apply carried.gbc diff.csv)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${FOLDER}/${a}"
                        "${FOLDER}/carried.gbc" RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  fail("apply of diff.csv did not make carried.gbc equal to \"${a}\"")
endif()
cli(0 set changed.gbc portal 3 herb)
file(READ "${FOLDER}/changed.gbc" before HEX)
cli(1 apply changed.gbc diff.csv)
expect_empty("${out}" "a refused diff's output")
expect_text("${err}" "tivok-cli: diff.csv:2: slot 3 of Portal Shop, offset 0x2478E, holds Herb (0x01), not Comedy BK (0x24), which the layout expects there before writing Sirloin (0x17)\ntivok-cli: the layout is refused; nothing was written to \"changed.gbc\".\n" "apply of diff.csv to a changed slot")
file(READ "${FOLDER}/changed.gbc" after HEX)
if(NOT after STREQUAL before)
  fail("apply of diff.csv changed changed.gbc though it refused")
endif()

# checksum --fix puts right the global checksum that set left stale in a
# copy of "${a}", changing only its two bytes, 0x14E-0x14F.
file(COPY_FILE "${FOLDER}/${a}" "${FOLDER}/fixed.gbc")
cli(0 checksum fixed.gbc --fix)
expect_text("${out}" "Wrote 0xB1 to the global checksum's low byte, offset 0x14F, which held 0xBE.\n1 byte written to \"fixed.gbc\" and flushed to the disk.\nHeader checksum (offset 0x14D): 0x9D stored, 0x9D computed; they match.\nGlobal checksum (offsets 0x14E-0x14F): 0x8EB1 stored, 0x8EB1 computed; they match.\n" "checksum --fix")
file(READ "${FOLDER}/${a}" mine HEX)
file(READ "${FOLDER}/fixed.gbc" fixed HEX)
math(EXPR at "0x14E * 2")
math(EXPR past "0x150 * 2")
foreach(text mine fixed)
  string(SUBSTRING "${${text}}" 0 ${at} ${text}_before)
  string(SUBSTRING "${${text}}" ${past} -1 ${text}_after)
endforeach()
if(NOT mine_before STREQUAL fixed_before OR NOT mine_after STREQUAL fixed_after)
  fail("checksum --fix changed more than the bytes at 0x14E-0x14F")
endif()

# diff writes IPS and BPS patches of "${a}"'s slots. A patcher of the
# tests' own, written from the formats' descriptions rather than from
# Tivok's code (apply_patch.py, which checks BPS's three CRC32s), applies
# each to the clean image: that gives "${a}" with its checksum right,
# byte for byte. It needs Python 3, which Wine runs without.
cli(0 diff pristine.gbc "${a}" --format=ips -o mine.ips)
expect_text("${out}" "Wrote an IPS patch of 1 slot and the global checksum (21 bytes) to \"mine.ips\".\n" "diff --format=ips -o")
cli(0 diff pristine.gbc "${a}" --format=bps -o mine.bps)
expect_text("${out}" "Wrote a BPS patch of 1 slot and the global checksum (36 bytes) to \"mine.bps\".\n" "diff --format=bps -o")
find_program(PYTHON NAMES python3)
if(NOT PYTHON AND NOT RUNNER)
  fail("patches: python3 is missing (scripts/install-deps test)")
endif()
if(PYTHON)
  foreach(format ips bps)
    execute_process(COMMAND "${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/apply_patch.py"
                            pristine.gbc mine.${format} patched-${format}.gbc
                    WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE result
                    ERROR_VARIABLE stderr)
    if(NOT result EQUAL 0)
      fail("the ${format} patch does not apply: ${stderr}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                            "${FOLDER}/patched-${format}.gbc" "${FOLDER}/fixed.gbc"
                    RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      fail("the ${format} patch does not give \"${a}\" with a right checksum")
    endif()
    cli(0 checksum patched-${format}.gbc)
    cli(0 diff "${a}" patched-${format}.gbc --exit-code)
  endforeach()
endif()

# apply takes the same patches in, as the layout of their slots, and with
# --fix-checksum gives the same bytes; a pipe gives a patch too, as bash's
# <(...) hands it over.
foreach(format ips bps)
  file(COPY_FILE "${FOLDER}/pristine.gbc" "${FOLDER}/applied-${format}.gbc")
  cli(0 apply applied-${format}.gbc mine.${format} --fix-checksum)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                          "${FOLDER}/applied-${format}.gbc" "${FOLDER}/fixed.gbc"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    fail("apply of mine.${format} does not give \"${a}\" with a right checksum")
  endif()
endforeach()
find_program(BASH NAMES bash)
if(NOT RUNNER AND BASH)
  file(COPY_FILE "${FOLDER}/pristine.gbc" "${FOLDER}/piped.gbc")
  execute_process(COMMAND "${BASH}" -c "\"$0\" apply piped.gbc <(cat mine.ips)"
                          "${CLI}"
                  WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT result EQUAL 0 OR NOT stdout MATCHES "^Wrote Sirloin")
    fail("apply of a patch through a pipe: status ${result}\n${stdout}${stderr}")
  endif()
endif()

# Usage errors exit 2, files that cannot be read 1, on standard error only.
cli(2 set "${a}" portal 3 17)
expect_empty("${out}" "a usage error's output")
expect_text("${err}" "tivok-cli set: \"17\" is a bare number, which could be hex or decimal: write an item code in hex with 0x, such as 0x17 for Sirloin, or the item's name\nUsage: tivok-cli set IMAGE STORE SLOT ITEM [--dry-run] [--fix-checksum]\nTry 'tivok-cli set --help' for more information.\n" "a usage error")
cli(1 list "nicht da ü.gbc")
expect_empty("${out}" "a missing file's output")
# The system's reason, in its own words, on one line.
if(NOT err MATCHES "^tivok-cli: cannot open \"nicht da ü.gbc\": [^\n]+\n$")
  fail("a missing file: printed '${err}'")
endif()
# A listing that cannot reach its reader is a failure, not a success; a
# change that was written is never reported as not written (status 3), and
# standard input that cannot be read gets a plain message.
if(NOT RUNNER AND EXISTS /dev/full)
  foreach(case "1;list;${a}" "3;set;${a};portal;3;herb")
    list(POP_FRONT case status)
    execute_process(COMMAND "${CLI}" ${case} WORKING_DIRECTORY "${FOLDER}"
                    OUTPUT_FILE /dev/full
                    RESULT_VARIABLE result ERROR_VARIABLE stderr)
    if(NOT result EQUAL status)
      fail("${case} into a full disk: status ${result}, not ${status}\n${stderr}")
    endif()
  endforeach()
  execute_process(COMMAND "${CLI}" apply "${a}" - INPUT_FILE "${FOLDER}"
                  RESULT_VARIABLE result ERROR_VARIABLE stderr)
  if(NOT stderr STREQUAL "tivok-cli: cannot read the layout from standard input; nothing was written to \"${a}\".\n")
    fail("apply with a folder on standard input: status ${result}\n${stderr}")
  endif()
endif()
file(REMOVE_RECURSE "${FOLDER}")
