#!/bin/sh
# Stand-in for the real rsdn.bat: notes how it was called (model, scale,
# launch mode) in rsdn.log in the export folder.
echo "rsdn.bat $*" >> rsdn.log
echo "rsdn.bat $*"
