# Writes the page and its service worker into the build's web folder, both
# named after the build: a digest of every file the page is made of.
#   cmake -DWEB_DIR=... -DSOURCE_DIR=... -DVERSIONED=a,b -DPLAIN=c,d -DMODULES=e,f
#     [-DEDITOR_VERSIONED=g,h -DEDITOR_PAGE=.../editor.html] -P BuildPage.cmake
# VERSIONED files are asked for with the build's name (file?v=NAME), PLAIN
# ones by their own name; all of them are kept for offline play. MODULES are
# the page's scripts in SOURCE_DIR/page, written with the build's name in
# them and asked for by it. The map editor's page is written and kept beside
# the game's, its files named after the same build.
string(REPLACE "," ";" VERSIONED "${VERSIONED}")
string(REPLACE "," ";" PLAIN "${PLAIN}")
string(REPLACE "," ";" MODULES "${MODULES}")
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
foreach(module IN LISTS MODULES)
  file(SHA256 ${SOURCE_DIR}/page/${module} hash)
  string(APPEND digest "${module} ${hash}\n")
endforeach()
string(SHA256 digest "${digest}")
string(SUBSTRING ${digest} 0 16 BUILD_ID)

set(CACHED_FILES "'./'")
foreach(file IN LISTS VERSIONED MODULES)
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
foreach(module IN LISTS MODULES)
  configure_file(${SOURCE_DIR}/page/${module} ${WEB_DIR}/${module} @ONLY)
endforeach()
