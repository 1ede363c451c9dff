SI0.2,0.3;DI0,1;LBHallo
Welt;SI;DI;LBx