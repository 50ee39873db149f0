local t = {}
for i = 1, 10 do t[i] = i * 2 end
assert(#t == 10)
