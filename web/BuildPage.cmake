# Writes the page and its service worker into the build's web folder, both
# named after the build: a digest of every file the page is made of.
#   cmake -DWEB_DIR=... -DSOURCE_DIR=... -DVERSIONED=a,b -DPLAIN=c,d -P BuildPage.cmake
# VERSIONED files are asked for with the build's name (file?v=NAME), PLAIN
# ones by their own name; all of them are kept for offline play.
string(REPLACE "," ";" VERSIONED "${VERSIONED}")
string(REPLACE "," ";" PLAIN "${PLAIN}")
set(digest "")
foreach(file IN LISTS VERSIONED PLAIN)
  file(SHA256 ${WEB_DIR}/${file} hash)
  string(APPEND digest "${file} ${hash}\n")
endforeach()
foreach(template index.html sw.js)
  file(SHA256 ${SOURCE_DIR}/${template} hash)
  string(APPEND digest "${template} ${hash}\n")
endforeach()
string(SHA256 digest "${digest}")
string(SUBSTRING ${digest} 0 16 BUILD_ID)

set(CACHED_FILES "'./'")
foreach(file IN LISTS VERSIONED)
  string(APPEND CACHED_FILES ", '${file}?v=${BUILD_ID}'")
endforeach()
foreach(file IN LISTS PLAIN)
  string(APPEND CACHED_FILES ", '${file}'")
endforeach()

configure_file(${SOURCE_DIR}/index.html ${WEB_DIR}/index.html @ONLY)
configure_file(${SOURCE_DIR}/sw.js ${WEB_DIR}/sw.js @ONLY)
