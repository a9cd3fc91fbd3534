# SPDX-License-Identifier: MIT
# Writes the site for a static web host into OUTPUT: the page as index.html
# with the web app manifest, the icons and the service worker that keeps it
# for play without the network. The worker's cache is named by a hash of
# what the site serves, so a new build replaces the cache of the old.
#   cmake -DPAGE=ringtafel.html -DICONS=dir-with-icon-192/512.png -DTEMPLATES=src/web/site -DOUTPUT=site -P MakeSite.cmake
foreach(input PAGE ICONS TEMPLATES OUTPUT)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "MakeSite.cmake needs -D${input}=...")
  endif()
endforeach()
file(READ ${PAGE} page)
file(READ ${TEMPLATES}/head.html head)
file(READ ${TEMPLATES}/register.html register)
file(READ ${TEMPLATES}/manifest.webmanifest manifest)
file(READ ${TEMPLATES}/sw.js worker)

# The page's own policy lets it read its manifest, icon and worker from its
# origin, and nothing from elsewhere.
set(policy "default-src 'none';")
string(FIND "${page}" "${policy}" at)
string(FIND "${page}" "<title>" title)
string(FIND "${page}" "</body>" end)
if(at LESS 0 OR title LESS 0 OR end LESS 0)
  message(FATAL_ERROR "${PAGE} has no content security policy, title or body end to add the site's lines to")
endif()
string(REPLACE "${policy}" "${policy} manifest-src 'self'; worker-src 'self';" page "${page}")
string(REPLACE "img-src data:;" "img-src data: 'self';" page "${page}")
string(REPLACE "<title>" "${head}<title>" page "${page}")
string(REPLACE "</body>" "${register}</body>" page "${page}")

file(SHA256 ${ICONS}/icon-192.png icon192)
file(SHA256 ${ICONS}/icon-512.png icon512)
string(SHA256 build "${page}${manifest}${worker}${icon192}${icon512}")
string(SUBSTRING "${build}" 0 16 build)
string(REPLACE "@BUILD@" "${build}" worker "${worker}")

file(MAKE_DIRECTORY ${OUTPUT}/icons)
file(WRITE ${OUTPUT}/index.html "${page}")
file(WRITE ${OUTPUT}/manifest.webmanifest "${manifest}")
file(WRITE ${OUTPUT}/sw.js "${worker}")
foreach(size 192 512)
  if(NOT ${ICONS}/icon-${size}.png STREQUAL ${OUTPUT}/icons/icon-${size}.png)
    file(COPY_FILE ${ICONS}/icon-${size}.png ${OUTPUT}/icons/icon-${size}.png)
  endif()
endforeach()
