# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the site's service worker (sw.js) from its template, with the list
# of the site's files and a version that is a digest of them all, so that
# any change to the site is a new version. Run as cmake -DSITE=... -DTEMPLATE=... -P.
file(GLOB_RECURSE names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names sw.js)
list(SORT names)
set(digests "")
set(files "")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name} ${digest}\n")
  string(APPEND files "  '${name}',\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 QUIBBLY_SITE_VERSION)
set(QUIBBLY_SITE_FILES "${files}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
