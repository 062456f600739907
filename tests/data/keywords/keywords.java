abstract default if private throw boolean do implements protected 
throws break double import public transient byte else instanceof 
return try case extends int short void catch final interface static this 
volatile char finally long super while class float native switch const 
for new synchronized continue goto package this true false null
- User set 1:
- User set 2:
- User set 3:
- User set 4:
