# Writes dist/sw.js from its template: the files to keep offline, and a
# version that is a hash of their contents, so that a deployment that changes
# any of them replaces the visitors' offline copy, and one that changes none
# leaves it alone. Run as: cmake -DDIST=dir -DTEMPLATE=sw.js.in -DFILES="a;b" -P
set(listing "")
set(quoted "")
foreach(name IN LISTS FILES)
  file(SHA256 ${DIST}/${name} hash)
  string(APPEND listing "${name} ${hash}\n")
  string(APPEND quoted "\"${name}\",")
endforeach()
string(SHA256 version "${listing}")
string(SUBSTRING "${version}" 0 16 VORLEN_WEB_VERSION)
string(REGEX REPLACE ",$" "" VORLEN_WEB_FILES "${quoted}")
configure_file(${TEMPLATE} ${DIST}/sw.js @ONLY)
