# ovilan-cli from outside: the batch formats to the byte, exit codes, usage, documents, and files
# that cannot be read or written.

function(run_cli expected_status expected_output input)
  set(options ${ARGN})
  if(input)
    execute_process(COMMAND ${CLI} ${options} INPUT_FILE ${input} TIMEOUT 20
      OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  else()
    execute_process(COMMAND ${CLI} ${options} TIMEOUT 20
      OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  endif()
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "ovilan-cli ${options}: exit ${status}, expected ${expected_status}\n${errors}")
  endif()
  if(NOT "${expected_output}" STREQUAL "<any>" AND NOT output STREQUAL expected_output)
    message(FATAL_ERROR "ovilan-cli ${options}:\n--- got\n${output}--- expected\n${expected_output}")
  endif()
  set(last_errors "${errors}" PARENT_SCOPE)
  set(last_output "${output}" PARENT_SCOPE)
endfunction()

function(expect_errors expected)
  if(NOT last_errors STREQUAL expected)
    message(FATAL_ERROR "expected the message ${expected}got: ${last_errors}")
  endif()
endfunction()

set(tab "\t")
file(READ ${SOURCE_DIR}/testdata/formula_batch.expected batch_expected)
run_cli(0 "${batch_expected}" ${SOURCE_DIR}/testdata/formula_batch.in formula --batch)

run_cli(0 "0${tab}2*x^2\n" "" formula --var x -- 2x^2)
run_cli(0 "0${tab}x*sin(x)\n" "" formula -- x sin "(x)")
# A refusal says where the fault lies: its byte offset from 0 and its length, then what is wrong
# where the message leaves it unsaid.
run_cli(1 "4${tab}Argument is not defined${tab}0${tab}3\n" "" formula --var t -- "sin t")
run_cli(1 "7${tab}Denominator is equal to zero${tab}2${tab}5\n" "" formula --var " " -- "1/(2-2)")
run_cli(1 "6${tab}Syntax error${tab}4${tab}3${tab}Unknown name \"foo\".\n" "" formula -- "2*x+foo")
run_cli(1 "1${tab}Check brackets${tab}3${tab}1${tab}This bracket is never closed.\n" ""
  formula -- "sin(x")
# Familiar spellings are read and written in the program's own.
run_cli(0 "0${tab}tg(x)+2.718281828^x-0.001\n" "" formula -- "tan(x)+e^x-1e-3")

# derive prints the derivative as formula prints a formula, refusals too.
run_cli(0 "0${tab}2*x*cos(x^2)\n" "" derive --var x -- "sin(x^2)")
run_cli(0 "0${tab}1/(2*sqrt(y))\n" "" derive --var y -- sqrt "(y)")
run_cli(1 "4${tab}Argument is not defined${tab}0${tab}3\n" "" derive -- "sin x")
run_cli(0 "0${tab}1/cos(x)^2\n" "" derive -- "tan(x)")
run_cli(1 "2${tab}The derivative of this formula cannot be written as a formula.\n" ""
  derive -- "(-2)^x")
run_cli(2 "" "" derive --var xy -- x)
run_cli(2 "" "" derive)

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/numbers.in "3.141592653589793\n12345678901\n0.00001\n-1.5e20\n0\nnot a number\n1e11\n")
run_cli(1 "3.141592654\n1.23456789*10^10\n1*10^(-5)\n-1.5*10^20\n0\n\n1*10^11\n"
  ${CMAKE_CURRENT_BINARY_DIR}/numbers.in number --batch)
if(NOT last_errors MATCHES "line 6")
  message(FATAL_ERROR "a bad number line is not reported: ${last_errors}")
endif()
run_cli(0 "2.5*10^(-7)\n" "" number 2.5e-7)

# Anything else is a usage error.
run_cli(2 "" "" frobnicate)
run_cli(2 "" "" formula --var xy -- x)
run_cli(2 "" "" formula --colour red)
run_cli(2 "" "")
if(NOT last_errors MATCHES "usage:")
  message(FATAL_ERROR "no usage text: ${last_errors}")
endif()

# Documents: a converted example is byte-identical, a damaged one is refused with the message.
set(converted ${CMAKE_CURRENT_BINARY_DIR}/converted.ovd)
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${converted})
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXAMPLES}/gallery.ovd ${converted}
  RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "converting gallery.ovd changed its bytes")
endif()
run_cli(0 "<any>" "" info ${EXAMPLES}/gallery.ovd)
# A document with parameters lists its formulas as typed and the parameters' values and ranges.
run_cli(0 "graphs: 2\n  0\tY(x)\tY(x)=k*sin(m*x) {k sin(m x)}\n  1\tY(x)\tY(x)=(x-m)^2/k-k {(x - m)^2/k - k}\nlabels: 0\nx range: -10 .. 10\ny range: -10 .. 10\nparameters: 2\n  k = 3\t-5 .. 5, step 0.1\n  m = 1\t0.1 .. 4, step 0.1\n" ""
  info ${EXAMPLES}/families.ovd)
run_cli(0 "graph,index,x,y,penUp\n5,0,-8,-6,1\n5,1,-6,-3,0\n5,2,-4,-5,0\n5,3,-2,-1,0\n5,4,0,-2.5,0\n" ""
  trace ${EXAMPLES}/gallery.ovd --graph 5)
set(truncated ${CMAKE_CURRENT_BINARY_DIR}/truncated.ovd)
execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${EXAMPLES}/gallery.ovd ${truncated})
# Cut the copy to its first 200 bytes.
execute_process(COMMAND truncate -s 200 ${truncated} RESULT_VARIABLE cut)
if(NOT cut EQUAL 0)
  message(FATAL_ERROR "truncate failed")
endif()
run_cli(1 "" "" info ${truncated})
if(NOT last_errors STREQUAL "Unexpected file format.\n")
  message(FATAL_ERROR "a truncated document gave: ${last_errors}")
endif()
run_cli(1 "" "" info ${CMAKE_CURRENT_BINARY_DIR}/no-such-file.ovd)
if(NOT last_errors STREQUAL "Failed to open document.\n")
  message(FATAL_ERROR "a missing document gave: ${last_errors}")
endif()

# Pictures: the BMP sizes follow from the pixel rows, RLE is marked in the header, PNG is a PNG.
function(expect_size file bytes)
  file(SIZE ${file} size)
  if(NOT size EQUAL ${bytes})
    message(FATAL_ERROR "${file} has ${size} bytes, expected ${bytes}")
  endif()
endfunction()
function(expect_hex file offset length expected)
  file(READ ${file} hex OFFSET ${offset} LIMIT ${length} HEX)
  if(NOT hex STREQUAL expected)
    message(FATAL_ERROR "${file} at ${offset}: ${hex}, expected ${expected}")
  endif()
endfunction()
set(picture ${CMAKE_CURRENT_BINARY_DIR}/gallery.bmp)
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${picture})
expect_size(${picture} 240118) # 800 x 600: 14 + 40 + 64 + 600 rows of 400 bytes
expect_hex(${picture} 0 2 "424d")
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${picture} --size 100x100)
expect_size(${picture} 5318)
expect_hex(${picture} 10 4 "76000000") # bfOffBits 118
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${picture} --rle --size 3000x100)
expect_hex(${picture} 18 4 "b80b0000") # width 3000
expect_hex(${picture} 30 4 "02000000") # BI_RLE4
set(png ${CMAKE_CURRENT_BINARY_DIR}/gallery.png)
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${png} --size 320x200)
expect_hex(${png} 0 8 "89504e470d0a1a0a")
expect_hex(${png} 16 8 "00000140000000c8") # 320 x 200
if(NOT last_errors STREQUAL "")
  message(FATAL_ERROR "a picture conversion wrote to stderr: ${last_errors}")
endif()
foreach(size 99x100 100x3001 100 x100 100x100x1 -100x100)
  run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${picture} --size ${size})
  if(NOT last_errors MATCHES "between 100 and 3000")
    message(FATAL_ERROR "--size ${size} gave: ${last_errors}")
  endif()
endforeach()
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${converted} --rle)
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${png} --rle)
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${CMAKE_CURRENT_BINARY_DIR}/gallery.gif)
run_cli(1 "" "" convert ${EXAMPLES}/gallery.ovd ${CMAKE_CURRENT_BINARY_DIR}/no-such-dir/out.bmp)
if(NOT last_errors STREQUAL "An error has occured while saving.\n")
  message(FATAL_ERROR "an unwritable picture gave: ${last_errors}")
endif()

execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)

# Sharp pictures: an SVG is XML with its texts as text, a PDF one page of the size asked for, a
# smooth PNG has the pixels its scale or resolution gives; a plain PNG keeps its 16 colours.
set(sharp ${CMAKE_CURRENT_BINARY_DIR}/sharp)
file(REMOVE_RECURSE ${sharp})
file(MAKE_DIRECTORY ${sharp})
expect_hex(${png} 24 2 "0403") # 4 bits a pixel, a palette
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/gallery.svg)
file(READ ${sharp}/gallery.svg svg)
if(NOT svg MATCHES "<svg width=\"211.667mm\" height=\"158.75mm\"" OR NOT svg MATCHES ">peak</text>")
  message(FATAL_ERROR "gallery.svg is not an 800 x 600 plot with its label as text")
endif()
find_program(XMLLINT xmllint)
if(XMLLINT)
  execute_process(COMMAND ${XMLLINT} --noout ${sharp}/gallery.svg RESULT_VARIABLE invalid)
  if(invalid)
    message(FATAL_ERROR "gallery.svg is not well-formed XML")
  endif()
endif()
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/gallery.pdf --dpi 300 --mm 150x100)
expect_hex(${sharp}/gallery.pdf 0 5 "255044462d") # %PDF-
find_program(PDFINFO pdfinfo)
if(PDFINFO)
  execute_process(COMMAND ${PDFINFO} ${sharp}/gallery.pdf OUTPUT_VARIABLE info)
  # Qt lays pages out in whole points: 425.2 x 283.5 becomes 425 x 283.
  if(NOT info MATCHES "Pages: +1\n" OR NOT info MATCHES "Page size: +425 x 283 pts")
    message(FATAL_ERROR "the PDF of 150 x 100 mm is not one page of that size:\n${info}")
  endif()
endif()
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/scaled.png --scale 2)
expect_hex(${sharp}/scaled.png 16 10 "00000640000004b00802") # 1600 x 1200, 8-bit RGB
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/printed.png --dpi 300 --mm 150x100)
expect_hex(${sharp}/printed.png 16 8 "000006ec0000049d") # 1772 x 1181
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/smooth.png --smooth --size 320x200)
expect_hex(${sharp}/smooth.png 16 10 "00000140000000c80802")
if(NOT last_errors STREQUAL "")
  message(FATAL_ERROR "a sharp picture wrote to stderr: ${last_errors}")
endif()

# Options that do not fit the format or each other, and limits, are usage errors named in the
# message; nothing is written.
set(refusals
  "x.svg --rle|--rle applies to BMP pictures only"
  "x.bmp --smooth|--smooth applies to PNG pictures only"
  "x.pdf --scale 2|--scale applies to PNG pictures only"
  "x.bmp --dpi 300 --mm 100x100|--dpi and --mm apply to PNG, SVG and PDF pictures only"
  "x.png --scale 2 --dpi 300 --mm 100x100|--scale and --dpi cannot be given together"
  "x.png --dpi 300|--dpi needs --mm"
  "x.png --mm 100x100|--mm needs --dpi"
  "x.svg --size 400x300 --mm 100x100|--size and --mm cannot be given together"
  "x.ovd --smooth|apply to pictures only"
  "x.png --scale 10.5|The scale must be between 1 and 10."
  "x.png --scale 0.9|The scale must be between 1 and 10."
  "x.png --scale two|The scale must be between 1 and 10."
  "x.png --dpi 29 --mm 100x100|The resolution must be between 30 and 2400 dots per inch."
  "x.png --dpi 2401 --mm 100x100|The resolution must be between 30 and 2400 dots per inch."
  "x.pdf --mm 26x100|A side of the picture must be between 26.4 and 794 millimetres."
  "x.svg --mm 100x795|A side of the picture must be between 26.4 and 794 millimetres."
  "x.png --dpi 2400 --mm 300x300|at most 20000 pixels a side."
  "x.png --dpi 1200 --mm 400x400|at most 100 million pixels."
  "x.png --scale 10 --size 3000x3000|at most 20000 pixels a side.")
foreach(refusal ${refusals})
  string(REPLACE "|" ";" parts "${refusal}")
  list(GET parts 0 arguments)
  list(GET parts 1 expected)
  separate_arguments(arguments)
  list(TRANSFORM arguments PREPEND ${sharp}/ AT 0)
  run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${arguments})
  string(FIND "${last_errors}" "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "convert ${arguments} gave: ${last_errors}")
  endif()
endforeach()
file(GLOB left RELATIVE ${sharp} ${sharp}/x.*)
if(left)
  message(FATAL_ERROR "refused conversions wrote: ${left}")
endif()

# A batch converts every document it can into the folder, reports the one it cannot by name and
# fails; a missing folder, a format without a picture and two documents of one name are refused.
set(batch ${CMAKE_CURRENT_BINARY_DIR}/batch)
file(REMOVE_RECURSE ${batch})
file(MAKE_DIRECTORY ${batch}/out)
file(COPY_FILE ${truncated} ${batch}/broken.ovd)
run_cli(1 "" "" convert ${EXAMPLES}/gallery.ovd ${batch}/broken.ovd ${EXAMPLES}/polar_rose.ovd
  --to png --out-dir ${batch}/out --size 200x150)
expect_errors("${batch}/broken.ovd: Unexpected file format.\n")
file(GLOB written RELATIVE ${batch}/out ${batch}/out/*)
list(SORT written)
if(NOT written STREQUAL "gallery.png;polar_rose.png")
  message(FATAL_ERROR "the batch wrote: ${written}")
endif()
expect_hex(${batch}/out/polar_rose.png 16 10 "000000c8000000960403") # 200 x 150, 16 colours
foreach(format svg pdf bmp)
  run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${EXAMPLES}/lissajous.ovd --to ${format}
    --out-dir ${batch}/out)
  if(NOT EXISTS ${batch}/out/gallery.${format} OR NOT EXISTS ${batch}/out/lissajous.${format})
    message(FATAL_ERROR "the batch to ${format} did not write both pictures")
  endif()
endforeach()
run_cli(1 "" "" convert ${EXAMPLES}/gallery.ovd --to svg --out-dir ${batch}/missing)
expect_errors("ovilan-cli: the folder ${batch}/missing does not exist\n")
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd --to gif --out-dir ${batch}/out)
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd --to svg)
run_cli(2 "" "" convert ${EXAMPLES}/gallery.ovd ${truncated} ${batch}/../gallery.ovd --to svg
  --out-dir ${batch}/out)
if(NOT last_errors MATCHES "would both be written to ${batch}/out/gallery.svg")
  message(FATAL_ERROR "two documents of one name gave: ${last_errors}")
endif()

# Sharp pictures that cannot be written are reported and leave nothing behind.
foreach(target no-such-dir/out.svg no-such-dir/out.pdf no-such-dir/out.png)
  run_cli(1 "" "" convert ${EXAMPLES}/gallery.ovd ${sharp}/${target} --mm 100x100 --dpi 96)
  expect_errors("An error has occured while saving.\n")
endforeach()
foreach(target full.svg full.pdf)
  execute_process(COMMAND sh -c "ulimit -f 1 && exec \"$0\" \"$@\""
      ${CLI} convert ${EXAMPLES}/gallery.ovd ${sharp}/${target}
    TIMEOUT 20 ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR NOT errors STREQUAL "An error has occured while saving.\n")
    message(FATAL_ERROR "${target} onto a full disk: exit ${status}: ${errors}")
  endif()
endforeach()
if(NOT user STREQUAL "0") # the superuser writes into every folder
  file(MAKE_DIRECTORY ${batch}/locked)
  file(CHMOD ${batch}/locked PERMISSIONS OWNER_READ OWNER_EXECUTE)
  run_cli(1 "" "" convert ${EXAMPLES}/gallery.ovd ${EXAMPLES}/lissajous.ovd --to pdf
    --out-dir ${batch}/locked)
  expect_errors("${EXAMPLES}/gallery.ovd: An error has occured while saving.\n${EXAMPLES}/lissajous.ovd: An error has occured while saving.\n")
  file(CHMOD ${batch}/locked PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endif()
file(GLOB left RELATIVE ${sharp} ${sharp}/*)
list(SORT left)
if(NOT left STREQUAL "gallery.pdf;gallery.svg;printed.png;scaled.png;smooth.png")
  message(FATAL_ERROR "after the failed sharp pictures the folder holds: ${left}")
endif()

# An animation: one PNG a value of the parameter, in a folder made for them; the frames differ and
# the last is the document drawn with the parameter at the end value. Ranges that do not fit the
# document are refused by name and write nothing.
set(animation ${CMAKE_CURRENT_BINARY_DIR}/animation)
file(REMOVE_RECURSE ${animation})
file(MAKE_DIRECTORY ${animation})
execute_process(COMMAND ${MAKE_PARAMETER_DOCUMENT} ${animation}/wave.ovd 1 RESULT_VARIABLE made)
execute_process(COMMAND ${MAKE_PARAMETER_DOCUMENT} ${animation}/wave2.ovd 2 RESULT_VARIABLE made2)
if(made OR made2)
  message(FATAL_ERROR "the documents with a parameter could not be written")
endif()
run_cli(0 "" "" convert ${animation}/wave.ovd ${animation}/frames --animate k=1:2:0.5
  --size 200x150)
expect_errors("")
file(GLOB frames RELATIVE ${animation}/frames ${animation}/frames/*)
list(SORT frames)
if(NOT frames STREQUAL "frame-0001.png;frame-0002.png;frame-0003.png")
  message(FATAL_ERROR "the animation wrote: ${frames}")
endif()
expect_hex(${animation}/frames/frame-0002.png 16 8 "000000c800000096") # 200 x 150
file(SHA256 ${animation}/frames/frame-0001.png first)
file(SHA256 ${animation}/frames/frame-0002.png second)
if(first STREQUAL second)
  message(FATAL_ERROR "the frames for k = 1 and k = 1.5 are the same picture")
endif()
run_cli(0 "" "" convert ${animation}/wave2.ovd ${animation}/k2.png --size 200x150)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${animation}/k2.png
  ${animation}/frames/frame-0003.png RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the last frame is not the document drawn with k = 2")
endif()
# The document itself is left as it was.
run_cli(0 "" "" convert ${animation}/wave.ovd ${animation}/again.ovd)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${animation}/wave.ovd
  ${animation}/again.ovd RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "reading the animated document back gave other bytes")
endif()
run_cli(0 "" "" convert ${animation}/wave.ovd ${animation}/pi --animate k=0:pi:pi/2 --smooth)
expect_hex(${animation}/pi/frame-0003.png 16 10 "00000320000002580802") # 800 x 600, RGB
set(animation_refusals
  "m=0:1:0.5|The document has no parameter m."
  "k=0:1:0|The step must be greater than 0."
  "k=1:0:0.5|The first value must not be greater than the last one."
  "k=0:1:1e-9|at most 10000 frames"
  "k=0:one:1|\"one\" is not a number."
  "k:0:1:1|An animation is written as k=FROM:TO:STEP.")
foreach(refusal ${animation_refusals})
  string(REPLACE "|" ";" parts "${refusal}")
  list(GET parts 0 range)
  list(GET parts 1 expected)
  run_cli(2 "" "" convert ${animation}/wave.ovd ${animation}/refused --animate ${range})
  string(FIND "${last_errors}" "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "--animate ${range} gave: ${last_errors}")
  endif()
endforeach()
if(EXISTS ${animation}/refused)
  message(FATAL_ERROR "a refused animation made its folder")
endif()
run_cli(2 "" "" convert ${animation}/wave.ovd ${animation}/refused --animate k=0:1:1 --rle)
run_cli(2 "" "" convert ${animation}/wave.ovd --to png --out-dir ${animation}
  --animate k=0:1:1)
run_cli(1 "" "" convert ${animation}/missing.ovd ${animation}/refused --animate k=0:1:1)
expect_errors("Failed to open document.\n")
file(WRITE ${animation}/taken "")
run_cli(1 "" "" convert ${animation}/wave.ovd ${animation}/taken --animate k=0:1:1)
expect_errors("ovilan-cli: the folder ${animation}/taken could not be made\n")

# The version is the project's.
run_cli(0 "ovilan-cli ${VERSION}\n" "" --version)

# Only a regular file is read, and not past the largest document: a directory, a FIFO (which must
# not block), a device, a file whose read fails (EIO) and a file beyond the bound are all refused.
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/file_safety)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
execute_process(COMMAND mkfifo ${scratch}/fifo.ovd)
execute_process(COMMAND truncate -s 65M ${scratch}/huge.ovd)
foreach(unreadable ${scratch} ${scratch}/fifo.ovd /dev/zero /proc/self/mem ${scratch}/huge.ovd)
  run_cli(1 "" "" info ${unreadable})
  expect_errors("Failed to open document.\n")
  run_cli(1 "" "" trace ${unreadable})
  expect_errors("Failed to open document.\n")
  run_cli(1 "" "" convert ${unreadable} ${scratch}/out.ovd)
  expect_errors("Failed to open document.\n")
endforeach()
if(NOT user STREQUAL "0") # the superuser reads every file
  file(COPY_FILE ${EXAMPLES}/gallery.ovd ${scratch}/locked.ovd)
  file(CHMOD ${scratch}/locked.ovd PERMISSIONS OWNER_WRITE)
  run_cli(1 "" "" info ${scratch}/locked.ovd)
  expect_errors("Failed to open document.\n")
  file(REMOVE ${scratch}/locked.ovd)
endif()

# Output that cannot be written is a failure, whatever the command.
function(run_cli_into_full_disk expected_status)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_FILE /dev/full TIMEOUT 20
    ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "ovilan-cli ${ARGN} > /dev/full: exit ${status}, expected ${expected_status}")
  endif()
  if(NOT errors MATCHES "ovilan-cli: the output could not be written\n$")
    message(FATAL_ERROR "ovilan-cli ${ARGN} > /dev/full said: ${errors}")
  endif()
endfunction()
run_cli_into_full_disk(1 info ${EXAMPLES}/gallery.ovd)
run_cli_into_full_disk(1 trace ${EXAMPLES}/gallery.ovd)
run_cli_into_full_disk(1 formula -- x^2)
run_cli_into_full_disk(1 number 3)
run_cli_into_full_disk(1 --version)
execute_process(COMMAND ${CLI} number --batch INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/numbers.in
  OUTPUT_FILE /dev/full ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT errors MATCHES "the output could not be written")
  message(FATAL_ERROR "number --batch > /dev/full: exit ${status}: ${errors}")
endif()
# So is input that cannot be read.
run_cli(1 "" ${scratch} formula --batch)
expect_errors("ovilan-cli: the input could not be read\n")

# Converting onto a document writes through a symbolic link and keeps the file's permissions; a
# directory that has the name the temporary file once had is not the tool's to touch.
file(COPY_FILE ${EXAMPLES}/polar_rose.ovd ${scratch}/real.ovd)
file(CHMOD ${scratch}/real.ovd PERMISSIONS OWNER_READ OWNER_WRITE)
file(CREATE_LINK real.ovd ${scratch}/link.ovd SYMBOLIC)
file(MAKE_DIRECTORY ${scratch}/real.ovd.saving)
function(expect_converted)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXAMPLES}/gallery.ovd ${scratch}/real.ovd
    RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "real.ovd does not hold the converted document")
  endif()
  execute_process(COMMAND stat -c %a ${scratch}/real.ovd OUTPUT_VARIABLE mode
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT mode STREQUAL "600")
    message(FATAL_ERROR "converting onto a file of mode 600 left mode ${mode}")
  endif()
endfunction()
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${scratch}/real.ovd)
expect_converted()
file(COPY_FILE ${EXAMPLES}/polar_rose.ovd ${scratch}/real.ovd)
file(CHMOD ${scratch}/real.ovd PERMISSIONS OWNER_READ OWNER_WRITE)
run_cli(0 "" "" convert ${EXAMPLES}/gallery.ovd ${scratch}/link.ovd)
if(NOT IS_SYMLINK ${scratch}/link.ovd)
  message(FATAL_ERROR "converting onto a symbolic link replaced the link")
endif()
expect_converted()

# A failed conversion leaves the target as it was and no temporary file; a directory as target is
# left alone.
file(MAKE_DIRECTORY ${scratch}/folder.ovd)
run_cli(1 "" "" convert ${EXAMPLES}/polar_rose.ovd ${scratch}/folder.ovd)
expect_errors("Failed to save document.\n")
# A file size limit of 1 KiB stands for a full disk.
execute_process(COMMAND sh -c "ulimit -f 1 && exec \"$0\" \"$@\""
    ${CLI} convert ${EXAMPLES}/polar_rose.ovd ${scratch}/link.ovd
  TIMEOUT 20 ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT errors STREQUAL "Failed to save document.\n")
  message(FATAL_ERROR "converting onto a full disk: exit ${status}: ${errors}")
endif()
execute_process(COMMAND sh -c "ulimit -f 1 && exec \"$0\" \"$@\""
    ${CLI} convert ${EXAMPLES}/polar_rose.ovd ${scratch}/full.bmp
  TIMEOUT 20 ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT errors STREQUAL "An error has occured while saving.\n")
  message(FATAL_ERROR "a picture onto a full disk: exit ${status}: ${errors}")
endif()
expect_converted()
file(GLOB left RELATIVE ${scratch} ${scratch}/*)
list(SORT left)
if(NOT left STREQUAL "fifo.ovd;folder.ovd;huge.ovd;link.ovd;real.ovd;real.ovd.saving")
  message(FATAL_ERROR "after the failed conversions the folder holds: ${left}")
endif()

# A conversion killed while it writes leaves the target as it was and nothing else; interrupted or
# terminated, it first finishes or removes its temporary file. strace delivers the signal at the
# first write, where a tracer is allowed.
find_program(STRACE strace)
if(STRACE)
  execute_process(COMMAND ${STRACE} -o /dev/null true RESULT_VARIABLE untraceable
    OUTPUT_QUIET ERROR_QUIET)
endif()
if(STRACE AND NOT untraceable)
  foreach(signal SIGKILL SIGTERM SIGINT)
    foreach(target link.ovd picture.bmp)
      execute_process(COMMAND ${STRACE} -o /dev/null -e trace=write
          -e inject=write:signal=${signal}:when=1
          ${CLI} convert ${EXAMPLES}/polar_rose.ovd ${scratch}/${target}
        TIMEOUT 20 OUTPUT_QUIET ERROR_QUIET)
    endforeach()
    if(signal STREQUAL "SIGKILL")
      expect_converted()
    endif()
    file(GLOB left RELATIVE ${scratch} ${scratch}/*)
    list(REMOVE_ITEM left picture.bmp)
    if(NOT left STREQUAL "fifo.ovd;folder.ovd;huge.ovd;link.ovd;real.ovd;real.ovd.saving")
      message(FATAL_ERROR "after conversions ended by ${signal} the folder holds: ${left}")
    endif()
  endforeach()
endif()

# Analysis: every feature of a graph and its intersections as CSV, and integrals; the numbers are
# checked to the digits that do not depend on the last rounding of the C library.
run_cli(0 "<any>" "" analyze ${EXAMPLES}/gallery.ovd --graph 0 --from 0 --to 4)
foreach(line
    "^kind,graph,other,t,x,y\n"
    "\nroot,0,,0,0,0\n"
    "\ncrossing,0,,0,0,0\n"
    "\nmaximum,0,,1\\.42887001121[0-9]*,1\\.42887001121[0-9]*,4\\.46937645223921[0-9]*\n"
    "\nroot,0,,3\\.14159265358979[0-9]*,3\\.14159265358979[0-9]*,[-0-9.e]+\n"
    "\nintersection,0,1,1\\.34992589464010[0-9]*,")
  if(NOT last_output MATCHES "${line}")
    message(FATAL_ERROR "analyze: no line matching ${line} in\n${last_output}")
  endif()
endforeach()
# The tangent's poles are no roots.
run_cli(0 "<any>" "" analyze ${EXAMPLES}/gallery.ovd --graph 1 --from 1 --to 2)
if(last_output MATCHES "\nroot,")
  message(FATAL_ERROR "analyze: a root at the pole of tg:\n${last_output}")
endif()
run_cli(0 "<any>" "" integrate ${EXAMPLES}/gallery.ovd --graph 0 --from 0 --to pi)
if(NOT last_output MATCHES "^8\\.68651128751[0-9]*\t[0-9.e-]+\n$")
  message(FATAL_ERROR "integrate gave: ${last_output}")
endif()
run_cli(0 "<any>" "" integrate ${EXAMPLES}/gallery.ovd --graph 0 --from pi --to 0)
if(NOT last_output MATCHES "^-8\\.68651128751")
  message(FATAL_ERROR "a reversed integral gave: ${last_output}")
endif()
run_cli(1 "" "" integrate ${EXAMPLES}/gallery.ovd --graph 1 --from 0 --to 2)
expect_errors("ovilan-cli: The integral does not converge to the required accuracy.\n")
run_cli(1 "" "" integrate ${EXAMPLES}/gallery.ovd --graph 2 --from 0 --to 1)
expect_errors("ovilan-cli: The integral is calculated for a function graph Y(x) only.\n")
run_cli(1 "" "" analyze ${EXAMPLES}/gallery.ovd --graph 5)
expect_errors("ovilan-cli: graph 5 is a table, not a curve\n")
run_cli(1 "" "" analyze ${EXAMPLES}/gallery.ovd --graph 9)
expect_errors("ovilan-cli: the document has no graph 9\n")
run_cli(1 "" "" integrate ${truncated} --graph 0 --from 0 --to 1)
expect_errors("Unexpected file format.\n")
run_cli(2 "" "" analyze ${EXAMPLES}/gallery.ovd --graph 0 --from 3 --to 1)
if(NOT last_errors MATCHES "^ovilan-cli: the interval from 3 to 1 is empty or reversed\nusage:")
  message(FATAL_ERROR "a reversed interval gave: ${last_errors}")
endif()
run_cli(2 "" "" analyze ${EXAMPLES}/gallery.ovd --graph 0 --from abc --to 1)
if(NOT last_errors MATCHES "^ovilan-cli: --from is not a number: abc\nusage:")
  message(FATAL_ERROR "a bad bound gave: ${last_errors}")
endif()
run_cli(2 "" "" analyze ${EXAMPLES}/gallery.ovd --graph 0 --from 1)
run_cli(2 "" "" analyze ${EXAMPLES}/gallery.ovd --graph x)
run_cli(2 "" "" analyze ${EXAMPLES}/gallery.ovd)
run_cli(2 "" "" integrate ${EXAMPLES}/gallery.ovd --graph 0)
run_cli(2 "" "" integrate ${EXAMPLES}/gallery.ovd --graph 0 --graph 0 --from 0 --to 1)

# import and export: a spreadsheet's semicolon file with decimal commas, a header and labels
# becomes a table graph; its points go out as CSV and read back to the same document.
set(data ${CMAKE_CURRENT_BINARY_DIR}/data)
file(REMOVE_RECURSE ${data})
file(MAKE_DIRECTORY ${data})
string(ASCII 239 187 191 bom)
string(ASCII 13 cr)
file(WRITE ${data}/measured.csv
  "${bom}t [s];U [V];note${cr}\n0;1,5;start${cr}\n${cr}\n0,5;2,25e-3;${cr}\n1;-3,75;\"end; ok\"${cr}\n")
run_cli(0 "" "" import ${data}/measured.csv ${data}/measured.ovd)
run_cli(0 "graphs: 1\n  0\tTable\tTable 3 elements {U [V]}\nlabels: 0\nx range: -0.05 .. 1.05\ny range: -4.0125 .. 1.7625\n" ""
  info ${data}/measured.ovd)
set(measured_points "graph,index,x,y,penUp\n0,0,0,1.5,1\n0,1,0.5,0.0022499999999999998,0\n0,2,1,-3.75,0\n")
run_cli(0 "${measured_points}" "" trace ${data}/measured.ovd)
run_cli(0 "" "" export ${data}/measured.ovd ${data}/table.csv --graph 0)
file(READ ${data}/table.csv exported)
if(NOT exported STREQUAL "x,y,label\n0,1.5,start\n0.5,0.00225,\n1,-3.75,end; ok\n")
  message(FATAL_ERROR "the table graph exported as:\n${exported}")
endif()
run_cli(0 "" "" import ${data}/table.csv ${data}/again.ovd)
run_cli(0 "${measured_points}" "" trace ${data}/again.ovd)
# The new document's axes take the data's range with a margin, and round steps.
file(WRITE ${data}/day.csv "hour,degrees\n0,-2\n12,8\n24,-1\n")
run_cli(0 "" "" import ${data}/day.csv ${data}/day.ovd)
run_cli(0 "graphs: 1\n  0\tTable\tTable 3 elements {degrees}\nlabels: 0\nx range: -1.2 .. 25.2\ny range: -2.5 .. 8.5\n" ""
  info ${data}/day.ovd)
# Every digit of the data survives the document file, where a typed cell keeps ten.
file(WRITE ${data}/digits.csv "0.123456789012345,-2.7182818284590452e-9\n1,2\n")
run_cli(0 "" "" import ${data}/digits.csv ${data}/digits.ovd)
run_cli(0 "graph,index,x,y,penUp\n0,0,0.123456789012345,-2.7182818284590452e-09,1\n0,1,1,2,0\n" ""
  trace ${data}/digits.ovd)
# Without --graph every graph's traced points, as trace prints them.
run_cli(0 "" "" export ${EXAMPLES}/gallery.ovd ${data}/gallery.csv)
file(READ ${data}/gallery.csv exported)
run_cli(0 "<any>" "" trace ${EXAMPLES}/gallery.ovd)
if(NOT exported STREQUAL last_output)
  message(FATAL_ERROR "export of every graph differs from trace")
endif()
run_cli(0 "" "" export ${EXAMPLES}/gallery.ovd ${data}/graph0.csv --graph 0)
file(READ ${data}/graph0.csv exported)
run_cli(0 "<any>" "" trace ${EXAMPLES}/gallery.ovd --graph 0)
if(NOT exported STREQUAL last_output)
  message(FATAL_ERROR "export of a curve differs from its trace")
endif()
run_cli(1 "" "" export ${EXAMPLES}/gallery.ovd ${data}/none.csv --graph 9)
expect_errors("ovilan-cli: the document has no graph 9\n")
# A result written over the file it is read from would lose that file; both stay as they were.
file(COPY_FILE ${data}/measured.ovd ${data}/same.ovd)
file(READ ${data}/same.ovd same_before HEX)
run_cli(1 "" "" export ${data}/same.ovd ${data}/same.ovd)
expect_errors("ovilan-cli: ${data}/same.ovd is the file being read\n")
file(READ ${data}/same.ovd same_after HEX)
file(READ ${data}/day.csv day_before)
run_cli(1 "" "" import ${data}/day.csv ${data}/../data/day.csv)
file(READ ${data}/day.csv day_after)
if(NOT same_before STREQUAL same_after OR NOT day_before STREQUAL day_after)
  message(FATAL_ERROR "an export or import wrote over its own source")
endif()
run_cli(1 "" "" export ${data}/no-such.ovd ${data}/none.csv)
expect_errors("Failed to open document.\n")
run_cli(1 "" "" export ${EXAMPLES}/gallery.ovd ${data}/no-such-dir/out.csv)
expect_errors("An error has occured while saving.\n")
run_cli(2 "" "" export ${EXAMPLES}/gallery.ovd)
run_cli(2 "" "" export ${EXAMPLES}/gallery.ovd ${data}/x.csv --graph x)

# A file that is not a table is refused with the place of the fault, and nothing is written.
file(WRITE ${data}/word.csv "x,y\n1,2\n3,abc\n")
file(WRITE ${data}/empty.csv "")
file(WRITE ${data}/one.csv "1\n2\n")
foreach(refusal "word.csv|Line 3, column 2 is not a number: \"abc\".\n"
    "empty.csv|The file is empty.\n"
    "one.csv|Line 1 has only one cell: a row needs an x and a y.\n"
    "no-such.csv|Failed to open the data file.\n")
  string(REPLACE "|" ";" refusal "${refusal}")
  list(GET refusal 0 name)
  list(GET refusal 1 message)
  run_cli(1 "" "" import ${data}/${name} ${data}/refused.ovd)
  expect_errors("${message}")
  if(EXISTS ${data}/refused.ovd)
    message(FATAL_ERROR "a refused import of ${name} wrote a document")
  endif()
endforeach()
run_cli(1 "" "" import ${scratch}/huge.ovd ${data}/refused.ovd)
expect_errors("The file is larger than 64 MB.\n")
run_cli(1 "" "" fit ${scratch}/huge.ovd --model linear)
expect_errors("The file is larger than 64 MB.\n")
run_cli(1 "" "" import ${scratch} ${data}/refused.ovd)
expect_errors("Failed to open the data file.\n")

# More rows than a table holds: never cut without being told to.
set(rows "")
foreach(row RANGE 1 2001)
  string(APPEND rows "${row},${row}\n")
endforeach()
file(WRITE ${data}/long.csv "${rows}")
run_cli(1 "" "" import ${data}/long.csv ${data}/long.ovd)
expect_errors("The file has 2001 rows; a table graph holds 2000. --first 2000 imports the first 2000.\n")
run_cli(0 "" "" import ${data}/long.csv ${data}/long.ovd --first 2000)
run_cli(0 "<any>" "" info ${data}/long.ovd)
if(NOT last_output MATCHES "Table 2000 elements")
  message(FATAL_ERROR "--first 2000 gave: ${last_output}")
endif()
run_cli(0 "" "" import ${data}/long.csv ${data}/long.ovd --first 3)
run_cli(0 "graph,index,x,y,penUp\n0,0,1,1,1\n0,1,2,2,0\n0,2,3,3,0\n" "" trace ${data}/long.ovd)
run_cli(2 "" "" import ${data}/long.csv ${data}/long.ovd --first 2001)
run_cli(2 "" "" import ${data}/long.csv ${data}/long.ovd --first 0)
run_cli(2 "" "" import ${data}/long.csv)

# fit: a spreadsheet's file fitted by each kind of model; the coefficients as %.17g, then R²,
# the residual standard deviation and the fitted curve's normal form.
file(WRITE ${data}/line.csv "x;y\n0;-1\n1;1\n2;3\n3;5\n4;7\n")
run_cli(0 "a\t-1\nb\t2\nR²\t1\nsd\t0\nformula\t-1+2*x\n" "" fit ${data}/line.csv --model linear)
file(WRITE ${data}/parabola.csv "-2,7\n-1,2\n0,-1\n1,-2\n2,-1\n3,2\n")
run_cli(0 "a0\t-1\na1\t-2\na2\t1\nR²\t1\nsd\t0\nformula\t-1-2*x+x^2\n" ""
  fit ${data}/parabola.csv --model poly 2)
file(WRITE ${data}/misra1a.csv
  "77.6\t10.07\n114.9\t14.73\n141.1\t17.94\n190.8\t23.93\n239.9\t29.61\n289.0\t35.18\n332.8\t40.02\n"
  "378.4\t44.82\n434.8\t50.76\n477.3\t55.05\n536.8\t61.01\n593.1\t66.40\n689.1\t75.47\n760.0\t81.78\n")
run_cli(0 "<any>" "" fit ${data}/misra1a.csv --model "k*(1-exp(-m*x))" --start k=500,m=1e-4)
if(NOT last_output MATCHES "^k\t238\\.94212[0-9]+\nm\t0\\.000550156[0-9]+\nR²\t0\\.99998[0-9]+\nsd\t0\\.1018787[0-9]+\nformula\t238\\.9421292\\*\\(1-exp\\(-0\\.0005501564318\\*x\\)\\)\n$")
  message(FATAL_ERROR "Misra1a fitted as:\n${last_output}")
endif()
run_cli(0 "<any>" "" fit ${data}/misra1a.csv --model power)
if(NOT last_output MATCHES "^a\t[0-9.]+\nb\t[0-9.]+\nR²\t0\\.99[0-9]+\nsd\t[0-9.]+\nformula\t[0-9.]+\\*x\\^[0-9.]+\n$")
  message(FATAL_ERROR "the power fit gave:\n${last_output}")
endif()

# What cannot be fitted is refused with its reason; a command that does not read is a usage error.
run_cli(1 "" "" fit ${data}/parabola.csv --model exp)
expect_errors("An exponential fit needs every y above 0.\n")
run_cli(1 "" "" fit ${data}/line.csv --model poly 4)
expect_errors("A polynomial of degree 4 fit needs at least 6 points; the table has 5.\n")
run_cli(1 "" "" fit ${data}/misra1a.csv --model "k*(1-exp(-m*x))")
expect_errors("The fit stops where the parameter m has no effect on the curve at the points; try other start values.\n")
# A parabola at x near 10^9 has no coefficients in x that hold it: refused, not a nonsense R².
file(WRITE ${data}/far.csv "1000000000,3\n1000000001,3.1\n1000000002,3.4\n1000000003,3.9\n1000000004,4.6\n")
run_cli(1 "" "" fit ${data}/far.csv --model poly 2)
expect_errors("The polynomial of degree 2 fit cannot be written as a formula in x without losing its accuracy: the x values lie too far from 0 for their spread. Measure x from a nearer origin or in other units and fit again.\n")
run_cli(2 "" "" fit ${data}/line.csv --model "k*x" --start k=inf)
run_cli(1 "" "" fit ${data}/missing.csv --model linear)
expect_errors("Failed to open the data file.\n")
run_cli(2 "" "" fit ${data}/line.csv)
run_cli(2 "" "" fit ${data}/line.csv --model poly)
run_cli(2 "" "" fit ${data}/line.csv --model poly two)
run_cli(2 "" "" fit ${data}/line.csv --model "k*x" --start q=1)
run_cli(2 "" "" fit ${data}/line.csv --model linear --model exp)
