KR-428 MEMORY CHANNEL


BAND 400-470MHz
APO 1 禁用
BEEP 1 启用
BatSave 1 启用
scankind 1 TO
Ring 1 启用
Scramble 1 禁用
VFO/MR 1 VFO.
MR freq./MR CH 1 MR freq.
Squelch 2 2
VoxControl 0 OFF
TxT.O.T 4 4分钟
keyswitch 1 禁用
Switch.U.P 1 禁用
DownFreq 1 禁用
BroadBand 1 宽带
SpreadFreq 0 禁用
