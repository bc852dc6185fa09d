# Writes the page and its service worker into the build's web folder, both
# named after the build: a digest of every file the page is made of.
#   cmake -DWEB_DIR=... -DSOURCE_DIR=... -DVERSIONED=a,b -DPLAIN=c,d
#     [-DEDITOR_VERSIONED=e,f -DEDITOR_PAGE=.../editor.html] -P BuildPage.cmake
# VERSIONED files are asked for with the build's name (file?v=NAME), PLAIN
# ones by their own name; all of them are kept for offline play. The map
# editor's page is written and kept beside the game's, its files named
# after the same build.
string(REPLACE "," ";" VERSIONED "${VERSIONED}")
string(REPLACE "," ";" PLAIN "${PLAIN}")
string(REPLACE "," ";" EDITOR_VERSIONED "${EDITOR_VERSIONED}")
list(APPEND VERSIONED ${EDITOR_VERSIONED})
set(digest "")
foreach(file IN LISTS VERSIONED PLAIN)
  file(SHA256 ${WEB_DIR}/${file} hash)
  string(APPEND digest "${file} ${hash}\n")
endforeach()
foreach(template index.html sw.js)
  file(SHA256 ${SOURCE_DIR}/${template} hash)
  string(APPEND digest "${template} ${hash}\n")
endforeach()
if(EDITOR_PAGE)
  file(SHA256 ${EDITOR_PAGE} hash)
  string(APPEND digest "editor.html ${hash}\n")
endif()
string(SHA256 digest "${digest}")
string(SUBSTRING ${digest} 0 16 BUILD_ID)

set(CACHED_FILES "'./'")
foreach(file IN LISTS VERSIONED)
  string(APPEND CACHED_FILES ", '${file}?v=${BUILD_ID}'")
endforeach()
foreach(file IN LISTS PLAIN)
  string(APPEND CACHED_FILES ", '${file}'")
endforeach()
if(EDITOR_PAGE)
  string(APPEND CACHED_FILES ", 'editor.html'")
  configure_file(${EDITOR_PAGE} ${WEB_DIR}/editor.html @ONLY)
endif()

configure_file(${SOURCE_DIR}/index.html ${WEB_DIR}/index.html @ONLY)
configure_file(${SOURCE_DIR}/sw.js ${WEB_DIR}/sw.js @ONLY)
