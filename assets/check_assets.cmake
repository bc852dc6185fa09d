# Run with cmake -P after the run folder is filled. Fails on any picture or font
# that the game's drawing rules would show wrongly.
# In: GAME_DIR, CONVERT, IDENTIFY.

set(problems "")

function(query out file format)
  execute_process(COMMAND ${CONVERT} ${file} -format "${format}" info:
    OUTPUT_VARIABLE value RESULT_VARIABLE rc ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    set(value "unreadable")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

macro(problem text)
  string(APPEND problems "  ${text}\n")
endmacro()

macro(expect_size name format w h)
  execute_process(COMMAND ${IDENTIFY} -format "%m %w %h" ${GAME_DIR}/${name}
    OUTPUT_VARIABLE got ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT got STREQUAL "${format} ${w} ${h}")
    problem("${name}: expected ${format} ${w}x${h}, found '${got}'")
  endif()
endmacro()

# Masked pictures: the bottom-right pixel is the transparent colour, so it must
# be fully transparent.
macro(expect_clear_corner name)
  query(alpha ${GAME_DIR}/${name} "%[fx:p{w-1,h-1}.a]")
  if(NOT alpha STREQUAL "0")
    problem("${name}: bottom-right pixel must be fully transparent (alpha ${alpha})")
  endif()
endmacro()

# Node pictures lose their alpha before masking, so opaque pure black would
# match the transparent colour and punch holes in the artwork.
macro(expect_no_opaque_black name)
  execute_process(COMMAND ${CONVERT} ${GAME_DIR}/${name} -alpha on
                  -fx "(a>=1 && r+g+b<=0) ? 1 : 0" -alpha off
                  -format "%[fx:round(mean*w*h)]" info:
    OUTPUT_VARIABLE count ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT count STREQUAL "0")
    problem("${name}: ${count} opaque pure-black pixels would turn transparent")
  endif()
endmacro()

# Copied without a mask: every pixel shows.
macro(expect_opaque name)
  query(opaque ${GAME_DIR}/${name} "%[opaque]")
  if(NOT opaque MATCHES "^[Tt]rue$")
    problem("${name}: must be fully opaque")
  endif()
endmacro()

foreach(name HiddenNode EncryptedNode BlockedNode HackedNode Firewall Antivirus
             RestorationNode VirusSuppressor SystemCore)
  expect_size(${name}.png PNG 60 60)
  expect_clear_corner(${name}.png)
  expect_no_opaque_black(${name}.png)
endforeach()

foreach(name DataCache ItemSelfRepair ItemKernelRot ItemPolymorphicShield ItemSecondaryVector)
  expect_size(${name}.png PNG 40 40)
  expect_clear_corner(${name}.png)
endforeach()

expect_size(ItemSlot.png PNG 200 200)
expect_opaque(ItemSlot.png)

# The indicator panel is 165x130 and its frame is drawn 8 pixels down.
expect_size(Indicator.png PNG 165 122)
expect_opaque(Indicator.png)

foreach(name StartMenu WinScreen LoseScreen)
  expect_size(${name}.jpg JPEG 1280 720)
endforeach()

# The text fonts must be CFF OpenType and the default font TrueType.
foreach(entry "riftsans_regular.otf:4f54544f" "riftsans_bold.otf:4f54544f"
             "Cornerstone Regular.ttf:00010000")
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 name)
  list(GET entry 1 magic)
  if(EXISTS "${GAME_DIR}/${name}")
    file(READ "${GAME_DIR}/${name}" head LIMIT 4 HEX)
  else()
    set(head "missing")
  endif()
  if(NOT head STREQUAL magic)
    problem("${name}: expected a font starting with ${magic}, found ${head}")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "Game assets break the drawing rules:\n${problems}")
endif()
