# Writes the service worker from its template (cmake -P): the files it keeps for offline use,
# and a cache name made from their names and contents, so that each new page is a new cache.
#
#   cmake -DTEMPLATE=sw.js.in -DOUT=sw.js -DDIR=<folder of the files> -DFILES=a,b,... -P write_worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(sums "")
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 ${DIR}/${file} sum)
  string(APPEND sums "${file} ${sum}\n")
  list(APPEND quoted "\"${file}\"")
endforeach()
string(SHA256 all "${sums}")
string(SUBSTRING "${all}" 0 16 tag)
set(KALVET_CACHE "kalvet-${tag}")
list(JOIN quoted ", " KALVET_OFFLINE_FILES)
configure_file(${TEMPLATE} ${OUT} @ONLY)
